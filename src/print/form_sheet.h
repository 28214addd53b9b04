#pragma once
// The empty forms the A4 copies print over, as the boxes, rules and captions they are made of. tools/formgen
// turns a sheet into the form image; the copy layouts print into its boxes. Millimetres on the copy, from the
// page's top-left corner, as the copy scales the image onto the paper.

#include <string>
#include <vector>

namespace kakutei {

// The sizes the copies scale the two 2481 × 3507 images to: page 1 is drawn 1 mm narrower than page 2.
inline constexpr double kPage1ImageWidthMm = 209;
inline constexpr double kPage2ImageWidthMm = 210;
inline constexpr double kImageHeightMm = 296;

struct SheetRect {
    double x, y, w, h;
};

struct SheetBox {
    SheetRect rect;
    double pen;
};

struct SheetLine {
    double x1, y1, x2, y2, pen;
};

struct SheetCaption {
    enum class Flow {
        topLeft,  // one line from (rect.x, rect.y)
        centred,  // centred in rect, broken at "\n" and where a line is wider than rect
        vertical, // one character under the other, centred in rect
    };
    Flow flow;
    SheetRect rect;
    std::string text; // UTF-8
    double points;
    bool gothic;
};

class FormSheet {
public:
    FormSheet(double widthMm, double heightMm) : widthMm_(widthMm), heightMm_(heightMm) {}

    void box(double x, double y, double w, double h, double pen = 0.2) {
        boxes_.push_back({{x, y, w, h}, pen});
    }
    void line(double x1, double y1, double x2, double y2, double pen = 0.2) {
        lines_.push_back({x1, y1, x2, y2, pen});
    }
    void text(double x, double y, std::string text, double points, bool gothic = false) {
        captions_.push_back({SheetCaption::Flow::topLeft, {x, y, 0, 0}, std::move(text), points, gothic});
    }
    void centred(double x, double y, double w, double h, std::string text, double points,
                 bool gothic = false) {
        captions_.push_back({SheetCaption::Flow::centred, {x, y, w, h}, std::move(text), points, gothic});
    }
    void vertical(double x, double y, double w, double h, std::string text, double points) {
        captions_.push_back({SheetCaption::Flow::vertical, {x, y, w, h}, std::move(text), points, true});
    }

    double widthMm() const { return widthMm_; }
    double heightMm() const { return heightMm_; }
    const std::vector<SheetBox>& boxes() const { return boxes_; }
    const std::vector<SheetLine>& lines() const { return lines_; }
    const std::vector<SheetCaption>& captions() const { return captions_; }

private:
    double widthMm_, heightMm_;
    std::vector<SheetBox> boxes_;
    std::vector<SheetLine> lines_;
    std::vector<SheetCaption> captions_;
};

// Page 1 (第一表) and page 2 (第二表), retained-copy edition.
FormSheet page1Sheet();
FormSheet page2Sheet();

} // namespace kakutei
