#pragma once
// Records every drawing operation, with a fixed character width so that right-aligned positions are exact.

#include "core/utf8.h"
#include "print/print_surface.h"

#include <string>
#include <vector>

namespace kakutei::testing {

struct DrawnText {
    double x, y;
    std::string text;
    std::string font;
    double points;
};

class RecordingSurface : public PrintSurface {
public:
    // Every character is this wide, in millimetres, whatever the font.
    static constexpr double kCharacterWidth = 2.0;

    void beginJob(std::string_view name) override { jobs.emplace_back(name); }
    void setFont(std::string_view family, double points) override {
        font_ = family;
        points_ = points;
    }
    void drawText(double x, double y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), font_, points_});
    }
    double textWidth(std::string_view text) override {
        return kCharacterWidth * static_cast<double>(characterCount(text));
    }
    void drawImage(FormImage image, double x, double y, double w, double h) override {
        images.push_back({image, x, y, w, h});
    }
    void endJob() override { ++endedJobs; }

    // The texts drawn at (x, y).
    std::vector<std::string> at(double x, double y) const {
        std::vector<std::string> found;
        for (const DrawnText& t : texts)
            if (t.x == x && t.y == y)
                found.push_back(t.text);
        return found;
    }
    const DrawnText* find(std::string_view text) const {
        for (const DrawnText& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }

    struct Image {
        FormImage image;
        double x, y, w, h;
    };
    std::vector<std::string> jobs;
    std::vector<DrawnText> texts;
    std::vector<Image> images;
    int endedJobs = 0;

private:
    std::string font_;
    double points_ = 0;
};

} // namespace kakutei::testing
