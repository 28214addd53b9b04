// The printing screen's preview: the entries where they will land on the form, over the copy's form image.
#include "core/taxpayer_record.h"
#include "print/page_geometry.h"
#include "print/printing_screen.h"
#include "ui/painter_surface.h"

#include "../print/recording_surface.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRectF>

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace kakutei {
namespace {

using testing::DrawnText;
using testing::RecordingSurface;

constexpr double kDotsPerMm = 300 / 25.4;
constexpr std::string_view kAccountNumber = "12345678901234";

struct PreviewFixture : testing::DataScreenFixture {
    PrintingScreen screen{store, ui};
    RecordingSurface printer;

    PreviewFixture() {
        screen.setSurface(&printer);
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "山田太郎";
        record.bankName = "髙﨑銀行";
        record.accountNumber = std::string(kAccountNumber);
        testing::registerWhole(record); // so that printing asks nothing first
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7)));
        // Every row full, so that every box of every row gets its digit.
        std::map<int, std::string> income, tax;
        for (int field = 1; field <= 20; ++field)
            income[field] = "123456789";
        for (int field = 1; field <= 41; ++field)
            tax[field] = "987654321";
        testing::writeRecordFields(store, 7, 1, 0, 20, income);
        testing::writeRecordFields(store, 7, 5, 0, 41, tax);
        root.writeBytes("所得税/税理士名.txt",
                        testing::crlfLines({"\"Tanaka\"", "\"Tokyo\"", "\"03-1234\""}));
        openForSeven(screen);
        screen.data();
        screen.loadOffsets();
    }

    void storeOffsets(const char* right, const char* down) {
        screen.rightBox.text = right;
        screen.downBox.text = down;
        screen.storeOffsets();
    }

    RecordingSurface preview(FormImage page = FormImage::page1) const {
        RecordingSurface surface;
        screen.drawPreview(surface, page);
        return surface;
    }
};

// Where the ink of a number printed as the page prints it lands, in millimetres on the page: the printer's
// 11 pt mincho, the digit one blank in from the position when it is drawn as a number.
QRectF inkOf(const DrawnText& text) {
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(11811);
    device.setDotsPerMeterY(11811);
    QFont font("IPAMincho");
    font.setPointSizeF(11);
    const QFontMetricsF metrics(font, &device);
    const QString all = QString::fromStdString(text.text);
    const QString ink = all.trimmed();
    const double lead = metrics.horizontalAdvance(all.left(all.indexOf(ink)));
    const QRectF glyphs = metrics.tightBoundingRect(ink);
    return QRectF(text.x + (lead + glyphs.left()) / kDotsPerMm,
                  text.y + (metrics.ascent() + glyphs.top()) / kDotsPerMm, glyphs.width() / kDotsPerMm,
                  glyphs.height() / kDotsPerMm);
}

// The form image as the preview draws it: page millimetres to the image's pixels and back.
struct DrawnForm {
    QImage image;
    RecordingSurface::Image placed;

    QPointF pixel(double xMm, double yMm) const {
        return {(xMm - placed.x) / placed.w * image.width(), (yMm - placed.y) / placed.h * image.height()};
    }
    bool black(int x, int y) const { return image.valid(x, y) && image.pixel(x, y) == qRgb(0, 0, 0); }
    // The box of rulings around a page position, in page millimetres; empty when the position itself lies
    // on a ruling or in no box.
    QRectF boxAround(QPointF mm) const {
        const QPointF at = pixel(mm.x(), mm.y());
        const int x = static_cast<int>(at.x()), y = static_cast<int>(at.y());
        if (black(x, y))
            return {};
        int left = x, right = x, top = y, bottom = y;
        while (left > 0 && !black(left - 1, y))
            --left;
        while (right + 1 < image.width() && !black(right + 1, y))
            ++right;
        while (top > 0 && !black(x, top - 1))
            --top;
        while (bottom + 1 < image.height() && !black(x, bottom + 1))
            ++bottom;
        const double sx = placed.w / image.width(), sy = placed.h / image.height();
        return QRectF(placed.x + left * sx, placed.y + top * sy, (right + 1 - left) * sx,
                      (bottom + 1 - top) * sy);
    }
};

DrawnForm formOf(const RecordingSurface& surface) {
    EXPECT_EQ(surface.images.size(), 1u);
    return {monochromeForm(surface.images.at(0).image), surface.images.at(0)};
}

// The digit entries of the amount rows, each at the image's position for its row and cell.
struct Digit {
    int row, k;
    double x, y;
};
std::vector<Digit> digitCells() {
    std::vector<Digit> cells;
    for (int row = 1; row <= 61; ++row)
        for (int k = 1; k <= page1::lastCell(row); ++k) {
            const auto [x, y] = page1::copyCell(row, k);
            cells.push_back({row, k, double(x), double(y)});
        }
    return cells;
}

std::string where(const DrawnText& text) {
    return "'" + text.text + "' at (" + std::to_string(text.x) + ", " + std::to_string(text.y) + ")";
}

// The ink of `text` lies inside one digit box of the image (about 5 mm square), and that box is returned.
QRectF expectInsideABox(const DrawnForm& form, const DrawnText& text) {
    const QRectF ink = inkOf(text);
    const QRectF box = form.boxAround(ink.center());
    EXPECT_GT(box.width(), 4.0) << where(text) << " is in no digit box";
    EXPECT_LT(box.width(), 6.0) << where(text) << " is in no digit box";
    EXPECT_GT(box.height(), 4.0) << where(text) << " is in no digit box";
    EXPECT_LT(box.height(), 6.0) << where(text) << " is in no digit box";
    EXPECT_TRUE(box.contains(ink)) << where(text) << ": ink " << ink.left() << "–" << ink.right() << ", "
                                   << ink.top() << "–" << ink.bottom() << " mm; box " << box.left() << "–"
                                   << box.right() << ", " << box.top() << "–" << box.bottom() << " mm";
    return box;
}

std::vector<DrawnText> accountDigits(const RecordingSurface& surface) {
    // Single characters drawn without the blanks of a number, in the page's lower half: the year's two digits
    // stand at its top, and nothing else of the taxpayer is set.
    std::vector<DrawnText> digits;
    for (const DrawnText& t : surface.texts)
        if (t.y > 150 && t.text.size() == 1 && std::isdigit(static_cast<unsigned char>(t.text[0])))
            digits.push_back(t);
    return digits;
}

TEST_F(PreviewFixture, WithNoOffsetsEveryDigitAndAccountDigitSitsInItsBoxOfTheImage) {
    const RecordingSurface surface = preview();
    const DrawnForm form = formOf(surface);
    ASSERT_FALSE(form.image.isNull());
    for (const Digit& cell : digitCells())
        EXPECT_EQ(surface.at(cell.x, cell.y).size(), 1u) << "row " << cell.row << " cell " << cell.k;
    // Every number: the amount rows' digits and the birth date's.
    int numbers = 0;
    for (const DrawnText& text : surface.texts)
        if (text.text.front() == ' ') {
            ++numbers;
            expectInsideABox(form, text);
        }
    EXPECT_GT(numbers, 61 * 5);
    const std::vector<DrawnText> account = accountDigits(surface);
    ASSERT_EQ(account.size(), kAccountNumber.size());
    double lastRight = 0;
    for (std::size_t i = 0; i < account.size(); ++i) {
        EXPECT_EQ(account.at(i).text, std::string(1, kAccountNumber[i]));
        const QRectF box = expectInsideABox(form, account.at(i));
        EXPECT_GT(box.left(), lastRight) << "two account digits share a box";
        lastRight = box.right();
    }
}

TEST_F(PreviewFixture, StoredOffsetsMoveEveryEntryByExactlyThem) {
    const RecordingSurface unmoved = preview();
    storeOffsets("2", "-1");
    const RecordingSurface moved = preview();
    ASSERT_EQ(moved.texts.size(), unmoved.texts.size());
    for (std::size_t i = 0; i < moved.texts.size(); ++i) {
        EXPECT_EQ(moved.texts.at(i).text, unmoved.texts.at(i).text);
        EXPECT_EQ(moved.texts.at(i).x, unmoved.texts.at(i).x + 2) << where(moved.texts.at(i));
        EXPECT_EQ(moved.texts.at(i).y, unmoved.texts.at(i).y - 1) << where(moved.texts.at(i));
    }
    // The image stays where the paper is.
    ASSERT_EQ(moved.images.size(), 1u);
    EXPECT_EQ(moved.images.at(0).x, unmoved.images.at(0).x);
    EXPECT_EQ(moved.images.at(0).y, unmoved.images.at(0).y);
    for (const Digit& cell : digitCells())
        EXPECT_EQ(moved.at(cell.x + 2, cell.y - 1).size(), 1u) << "row " << cell.row << " cell " << cell.k;
}

TEST_F(PreviewFixture, AnA4CopyLeavesThePreviewOnTheStoredOffsets) {
    storeOffsets("2", "-1");
    const RecordingSurface before = preview();
    for (void (PrintingScreen::*copy)() : {&PrintingScreen::copyPage1, &PrintingScreen::copyPage2}) {
        (screen.*copy)();
        EXPECT_EQ(screen.offsets().right, 0); // the copies' zeros, in memory only
        EXPECT_EQ(screen.rightBox.text, "2");
        const RecordingSurface after = preview();
        ASSERT_EQ(after.texts.size(), before.texts.size());
        for (std::size_t i = 0; i < after.texts.size(); ++i) {
            EXPECT_EQ(after.texts.at(i).x, before.texts.at(i).x) << where(after.texts.at(i));
            EXPECT_EQ(after.texts.at(i).y, before.texts.at(i).y) << where(after.texts.at(i));
        }
    }
}

TEST_F(PreviewFixture, PageTwoMovesAllButTheAccountantsLinesAsTheFormDoes) {
    const RecordingSurface unmoved = preview(FormImage::page2);
    storeOffsets("3", "2");
    const RecordingSurface moved = preview(FormImage::page2);
    ASSERT_EQ(moved.texts.size(), unmoved.texts.size());
    int accountantLines = 0;
    for (std::size_t i = 0; i < moved.texts.size(); ++i) {
        const bool accountant = moved.texts.at(i).font == fonts::brush;
        accountantLines += accountant;
        EXPECT_EQ(moved.texts.at(i).x, unmoved.texts.at(i).x + (accountant ? 0 : 3))
            << where(moved.texts.at(i));
        EXPECT_EQ(moved.texts.at(i).y, unmoved.texts.at(i).y + (accountant ? 0 : 2))
            << where(moved.texts.at(i));
    }
    EXPECT_EQ(accountantLines, 2);
    // On the copy's image the entries stand at the copy's positions: the year's first box at (29, 15).
    EXPECT_EQ(unmoved.at(29, 15), std::vector<std::string>{"1"});
}

} // namespace
} // namespace kakutei
