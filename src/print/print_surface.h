#pragma once
// What the page layouts draw on. Millimetres from the top-left corner of the printable area; a text's
// position is its top-left corner. The window program implements it on QPainter (printer, PDF, preview),
// the tests with a recording surface.

#include <string_view>

namespace kakutei {

enum class FormImage { page1, page2 };

class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    // Starts a print job; `name` says what it holds ("第一表 7").
    virtual void beginJob(std::string_view name) = 0;
    virtual void setFont(std::string_view family, double points) = 0;
    virtual void drawText(double xMm, double yMm, std::string_view utf8) = 0;
    // The width of a text in the current font, in millimetres.
    virtual double textWidth(std::string_view utf8) = 0;
    virtual void drawImage(FormImage image, double xMm, double yMm, double widthMm, double heightMm) = 0;
    virtual void endJob() = 0;
};

namespace fonts {
inline constexpr std::string_view mincho = "MS 明朝";
inline constexpr std::string_view brush = "HG白洲行草書体";
} // namespace fonts

} // namespace kakutei
