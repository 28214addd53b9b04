#pragma once
// What the page layouts draw on. Millimetres from the top-left corner of the printable area; a text's
// position is its top-left corner. The window program implements it on QPainter (printer, PDF, preview),
// the tests with a recording surface.

#include <string>
#include <string_view>

namespace kakutei {

enum class FormImage { page1, page2 };

// How a print job ended, in words for the person who printed it.
struct JobReport {
    bool failed = false;
    // Where the job went (the printer that took it, the PDF's path), or what kept it from its printer or file
    // and why; empty from a surface that has nothing to say.
    std::string message;
    std::string file; // the PDF the job wrote, when it wrote one whole
};

class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    // Starts a print job; `name` says what it holds ("07 試験太郎 第一表").
    virtual void beginJob(std::string_view name) = 0;
    virtual void setFont(std::string_view family, double points) = 0;
    virtual void drawText(double xMm, double yMm, std::string_view utf8) = 0;
    // The width of a text in the current font, in millimetres.
    virtual double textWidth(std::string_view utf8) = 0;
    virtual void drawImage(FormImage image, double xMm, double yMm, double widthMm, double heightMm) = 0;
    virtual void endJob() = 0;
    // How the last job ended; a surface that cannot fail keeps this.
    virtual JobReport lastJob() const { return {}; }
};

namespace fonts {
inline constexpr std::string_view mincho = "MS 明朝";
inline constexpr std::string_view brush = "HG白洲行草書体";
} // namespace fonts

} // namespace kakutei
