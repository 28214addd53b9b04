#pragma once
// Where a text's letters stand on the paper, worked out from the font size the way the Japanese faces we
// print with set them: every full-width character one em wide, a half-width one (ASCII, half-width kana)
// half an em, a line one em high from its top.

#include "core/utf8.h"
#include "print/form_sheet.h"
#include "recording_surface.h"

#include <string>
#include <vector>

namespace kakutei::testing {

struct Box {
    double left, top, right, bottom;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool overlaps(const Box& o, double slack = 0.01) const {
        return left < o.right - slack && o.left < right - slack && top < o.bottom - slack &&
               o.top < bottom - slack;
    }
    bool inside(const Box& o) const {
        return left >= o.left - 0.001 && right <= o.right + 0.001 && top >= o.top - 0.001 &&
               bottom <= o.bottom + 0.001;
    }
};

inline double emMm(double points) {
    return points * 25.4 / 72;
}

inline bool halfWidth(char32_t c) {
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
}

inline double widthMm(std::u32string_view text, double points) {
    double width = 0;
    for (char32_t c : text)
        width += halfWidth(c) ? emMm(points) / 2 : emMm(points);
    return width;
}

// The box of a text drawn with its top-left corner at (x, y), without the blanks at either end, which print
// nothing.
inline Box inkBox(double x, double y, std::string_view utf8, double points) {
    std::u32string text = toCodePoints(utf8);
    std::size_t first = 0;
    while (first < text.size() && text[first] == U' ')
        ++first;
    std::size_t last = text.size();
    while (last > first && text[last - 1] == U' ')
        --last;
    const double left = x + widthMm(std::u32string_view(text).substr(0, first), points);
    return {left, y, left + widthMm(std::u32string_view(text).substr(first, last - first), points),
            y + emMm(points)};
}

// A recording surface that measures texts as they print, so that right-aligned amounts land where they
// would on paper.
class MeasuringSurface : public RecordingSurface {
public:
    void setFont(std::string_view family, double points) override {
        RecordingSurface::setFont(family, points);
        points_ = points;
    }
    double textWidth(std::string_view text) override { return widthMm(toCodePoints(text), points_); }

private:
    double points_ = 11;
};

// One character of a caption, where the form image shows it.
struct CaptionGlyph {
    Box box;
    char32_t character;
    std::string caption;
};

// Lays a caption out as the form image does: top-left, centred over lines (broken at "\n" and where a
// line runs wider than its box) or stacked one character a line.
inline std::vector<CaptionGlyph> captionGlyphs(const SheetCaption& caption) {
    const double em = emMm(caption.points);
    std::vector<std::u32string> lines;
    std::u32string line;
    const std::u32string text = toCodePoints(caption.text);
    const bool wraps = caption.flow == SheetCaption::Flow::centred;
    for (char32_t c : text) {
        if (c == U'\n') {
            lines.push_back(line);
            line.clear();
            continue;
        }
        if (wraps && !line.empty() && widthMm(line + c, caption.points) > caption.rect.w) {
            lines.push_back(line);
            line.clear();
        }
        line += c;
        if (caption.flow == SheetCaption::Flow::vertical) {
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(line);
    std::vector<CaptionGlyph> glyphs;
    const double height = em * static_cast<double>(lines.size());
    double y = caption.flow == SheetCaption::Flow::topLeft ? caption.rect.y
                                                           : caption.rect.y + (caption.rect.h - height) / 2;
    for (const std::u32string& l : lines) {
        double x = caption.flow == SheetCaption::Flow::topLeft
                       ? caption.rect.x
                       : caption.rect.x + (caption.rect.w - widthMm(l, caption.points)) / 2;
        for (char32_t c : l) {
            const double w = widthMm(std::u32string(1, c), caption.points);
            if (c != U' ' && c != U'　')
                glyphs.push_back({{x, y, x + w, y + em}, c, caption.text});
            x += w;
        }
        y += em;
    }
    return glyphs;
}

// The strokes of a sheet as the areas of ink they cover: each side of each box and each line, as thick as
// its pen.
inline std::vector<Box> ruleAreas(const FormSheet& sheet) {
    std::vector<Box> areas;
    auto stroke = [&](double x1, double y1, double x2, double y2, double pen) {
        areas.push_back({std::min(x1, x2) - pen / 2, std::min(y1, y2) - pen / 2, std::max(x1, x2) + pen / 2,
                         std::max(y1, y2) + pen / 2});
    };
    for (const SheetBox& b : sheet.boxes()) {
        const SheetRect& r = b.rect;
        stroke(r.x, r.y, r.x + r.w, r.y, b.pen);
        stroke(r.x, r.y + r.h, r.x + r.w, r.y + r.h, b.pen);
        stroke(r.x, r.y, r.x, r.y + r.h, b.pen);
        stroke(r.x + r.w, r.y, r.x + r.w, r.y + r.h, b.pen);
    }
    for (const SheetLine& l : sheet.lines())
        stroke(l.x1, l.y1, l.x2, l.y2, l.pen);
    return areas;
}

} // namespace kakutei::testing
