#include "ui/work_sheet_pdf.h"

#include "ui/own_fonts.h"

#include "explain/explanation_text.h"
#include "print/print_surface.h"
#include "registry/output_gate.h"
#include "ui/painter_surface.h"
#include "ui/qt_text.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <functional>
#include <vector>

namespace kakutei {
namespace {

// A4 portrait in millimetres.
constexpr double kPageWidth = 210;
constexpr double kPageHeight = 297;
constexpr double kLeft = 15;
constexpr double kRight = kPageWidth - 15;
constexpr double kHeaderTop = 14;
constexpr double kBodyTop = 37;
constexpr double kBodyBottom = kPageHeight - 20;
constexpr double kFooterTop = kPageHeight - 13;

// The columns of a line: its label, its figure (right-aligned, so that the digits stand under each other)
// and where the figure came from; the steps beneath, indented.
constexpr double kLabelLeft = kLeft + 2;
constexpr double kFigureRight = 160;
constexpr double kProvenanceLeft = 165;
constexpr double kStepLeft = kLeft + 9;

constexpr double kTitlePoints = 16;
constexpr double kHeadingPoints = 11;
constexpr double kLinePoints = 10;
constexpr double kSmallPoints = 8.5;
constexpr double kStepPoints = 8.5;

constexpr int kDotsPerInch = 600;

const QColor kInk(0x1a, 0x1a, 0x1a);
const QColor kGrey(0x60, 0x60, 0x60);
const QColor kRule(0xb0, 0xb0, 0xb0);
const QColor kBand(0xec, 0xec, 0xec);

// The word beside a figure: a stale figure in red, so that it is not handed over as final.
QColor provenanceColour(Provenance provenance) {
    switch (provenance) {
    case Provenance::stale:
        return QColor(0xb0, 0x00, 0x00);
    case Provenance::typed:
        return QColor(0x00, 0x48, 0x98);
    default:
        return kGrey;
    }
}

class Sheet {
public:
    explicit Sheet(QPdfWriter& writer) : device_(writer) {}

    QPainter& painter() { return painter_; }
    bool begin() { return painter_.begin(&device_); }
    void end() { painter_.end(); }

    QFont font(double points, bool bold = false) const {
        QFont font(qt(fonts::mincho));
        font.setPointSizeF(points);
        font.setBold(bold);
        return font;
    }
    enum class Align { left, right, centre };
    // The text's top at y; x is its left edge, right edge or middle.
    void text(double x, double y, const QString& text, const QFont& font, const QColor& colour,
              Align align = Align::left) {
        painter_.setFont(font);
        painter_.setPen(colour);
        const QFontMetricsF metrics(font, &device_);
        const double width = metrics.horizontalAdvance(text);
        const double left = dots(x) - (align == Align::right    ? width
                                       : align == Align::centre ? width / 2
                                                                : 0);
        painter_.drawText(QPointF(left, dots(y) + metrics.ascent()), text);
    }
    void rule(double x1, double x2, double y, const QColor& colour, double widthMm) {
        painter_.setPen(QPen(colour, dots(widthMm)));
        painter_.drawLine(QPointF(dots(x1), dots(y)), QPointF(dots(x2), dots(y)));
    }
    void band(double x1, double x2, double y, double height, const QColor& colour) {
        painter_.fillRect(QRectF(dots(x1), dots(y), dots(x2 - x1), dots(height)), colour);
    }
    // The text broken into lines no wider than `widthMm`: between words where it has spaces, anywhere in a
    // run of Japanese.
    QStringList wrap(const QString& text, const QFont& font, double widthMm) const {
        QTextLayout layout(text, font, &device_);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(dots(widthMm));
            lines << text.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        if (lines.isEmpty())
            lines << QString();
        return lines;
    }

private:
    static double dots(double mm) { return mm * kDotsPerInch / 25.4; }
    QPdfWriter& device_;
    QPainter painter_;
};

// One row of the page: its height, and how it draws itself with its top at y.
struct Row {
    double height = 0;
    std::function<void(Sheet&, double)> draw;
    bool space = false; // room above a heading, which the top of a page does not need
};

// Rows that stay on one page when they fit on one.
struct Block {
    std::vector<Row> rows;
    bool keepWithNext = false; // a heading: never the last thing on a page

    double height() const {
        double total = 0;
        for (const Row& row : rows)
            total += row.height;
        return total;
    }
};

struct PlacedRow {
    const Row* row;
    double y;
};
using Page = std::vector<PlacedRow>;

Block heading(const QString& title) {
    Block block;
    block.keepWithNext = true;
    block.rows.push_back({3.5, {}, true});
    block.rows.push_back({8.5, [title](Sheet& sheet, double y) {
                              sheet.band(kLeft, kRight, y, 6.5, kBand);
                              sheet.text(kLabelLeft, y + 1.2, title, sheet.font(kHeadingPoints, true), kInk);
                          }});
    return block;
}

Block lineBlock(Sheet& sheet, const ExplainedLine& line) {
    Block block;
    const QString label = qt(line.label);
    const QString figure = qt(workSheetFigure(line.figure));
    const QString provenance = qt(provenanceCaption(line.provenance));
    const QColor colour = provenanceColour(line.provenance);
    block.rows.push_back({5.6, [=](Sheet& s, double y) {
                              s.text(kLabelLeft, y, label, s.font(kLinePoints), kInk);
                              s.text(kFigureRight, y, figure, s.font(kLinePoints), kInk, Sheet::Align::right);
                              s.text(kProvenanceLeft, y + 0.6, provenance, s.font(kSmallPoints), colour);
                          }});
    const QFont stepFont = sheet.font(kStepPoints);
    for (const std::string& step : line.steps)
        for (const QString& part : sheet.wrap(qt(step), stepFont, kRight - kStepLeft))
            block.rows.push_back(
                {4.3, [part](Sheet& s, double y) { s.text(kStepLeft, y, part, s.font(kStepPoints), kInk); }});
    block.rows.push_back({2.6, [](Sheet& s, double y) { s.rule(kLabelLeft, kRight, y + 1.2, kRule, 0.1); }});
    return block;
}

Block textBlock(Sheet& sheet, const QString& text) {
    Block block;
    const QFont font = sheet.font(9);
    for (const QString& part : sheet.wrap(text, font, kRight - kStepLeft))
        block.rows.push_back(
            {4.8, [part](Sheet& s, double y) { s.text(kStepLeft, y, part, s.font(9), kInk); }});
    block.rows.push_back({1.5, {}});
    return block;
}

std::vector<Block> blocks(Sheet& sheet, const Explanation& explanation) {
    std::vector<Block> all;
    if (explanation.sections.empty())
        all.push_back(textBlock(sheet, qt("（明細はありません）")));
    for (const ExplanationSection& section : explanation.sections) {
        all.push_back(heading(qt(section.title)));
        for (const ExplainedLine& line : section.lines)
            all.push_back(lineBlock(sheet, line));
    }
    if (!explanation.notes.empty()) {
        all.push_back(heading(qt("注記")));
        for (const std::string& note : explanation.notes)
            all.push_back(textBlock(sheet, qt("・" + note)));
    }
    return all;
}

// A block goes whole onto the next page when it does not fit on this one but fits on a page of its own;
// only a block taller than a page is broken, between its rows.
std::vector<Page> paginate(const std::vector<Block>& blocks) {
    std::vector<Page> pages(1);
    double y = kBodyTop;
    const auto newPage = [&] {
        pages.emplace_back();
        y = kBodyTop;
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        double needed = blocks[i].height();
        if (blocks[i].keepWithNext && i + 1 < blocks.size())
            needed += blocks[i + 1].height();
        if (y + needed > kBodyBottom && y > kBodyTop && needed <= kBodyBottom - kBodyTop)
            newPage();
        for (const Row& row : blocks[i].rows) {
            if (row.space && y == kBodyTop)
                continue;
            if (y + row.height > kBodyBottom && y > kBodyTop)
                newPage();
            pages.back().push_back({&row, y});
            y += row.height;
        }
    }
    return pages;
}

void drawFrame(Sheet& sheet, const Explanation& explanation, std::size_t page, std::size_t pages) {
    sheet.text(kLeft, kHeaderTop, qt(kWorkSheetTitle), sheet.font(kTitlePoints, true), kInk);
    sheet.text(kRight, kHeaderTop + 1.6, qt(kWorkSheetYear), sheet.font(kLinePoints), kInk,
               Sheet::Align::right);
    sheet.text(kLeft, kHeaderTop + 9, qt(workSheetClient(explanation)), sheet.font(kLinePoints), kInk);
    sheet.rule(kLeft, kRight, kHeaderTop + 15, kInk, 0.4);
    const QFont captions = sheet.font(7.5);
    sheet.text(kLabelLeft, kHeaderTop + 16.5, qt("項目"), captions, kGrey);
    sheet.text(kFigureRight, kHeaderTop + 16.5, qt("金額（円）"), captions, kGrey, Sheet::Align::right);
    sheet.text(kProvenanceLeft, kHeaderTop + 16.5, qt("区分"), captions, kGrey);

    sheet.rule(kLeft, kRight, kFooterTop - 2, kRule, 0.1);
    const QString number = QString::number(page + 1) + " / " + QString::number(pages);
    sheet.text(kPageWidth / 2, kFooterTop, number, sheet.font(9), kInk, Sheet::Align::centre);
}

} // namespace

std::error_code writeWorkSheetPdf(const OutputGate& gate, const Explanation& explanation,
                                  const std::string& file) {
    usePrintingFaces();
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&bytes);
        writer.setTitle(qt(workSheetFileName(explanation)).chopped(4));
        writer.setCreator("kakutei");
        writer.setResolution(kDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        Sheet sheet(writer);
        if (!sheet.begin())
            return std::make_error_code(std::errc::io_error);
        const std::vector<Block> all = blocks(sheet, explanation);
        const std::vector<Page> pages = paginate(all);
        for (std::size_t page = 0; page < pages.size(); ++page) {
            if (page > 0)
                writer.newPage();
            drawFrame(sheet, explanation, page, pages.size());
            for (const PlacedRow& placed : pages[page])
                if (placed.row->draw)
                    placed.row->draw(sheet, placed.y);
        }
        sheet.end();
    }
    return gate.write(file, bytes.data().toStdString());
}

} // namespace kakutei
