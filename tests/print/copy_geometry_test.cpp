// Both A4 copies of a return whose every field is as long as a real one gets: each printed text must stand
// inside a box of the form image, cross none of its strokes, cover none of its captions (a ○ covers the one
// it circles) and touch no other text.
#include "print/form_sheet.h"
#include "print/page_layouts.h"

#include "text_boxes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace kakutei {
namespace {

using testing::Box;
using testing::CaptionGlyph;

// The marks, which cannot all be chosen at once: each variant picks one of each group.
struct Marks {
    const char* sex;
    const char* account;
    const char* self;  // 本人: 老年者, 寡婦, 特別寡婦, 寡夫
    const char* cause; // 死別, 離婚, 生死不明, 未帰還
};

// Each field as long as a real return fills it: names of seven to nine characters, addresses of seventeen,
// two-line withholding rows, nine digits in every box of page 1, and on page 2 nine-digit revenues,
// eight-digit taxes and salaries, seven-digit deductions and details (a loss among them) and one ten-digit
// amount, the loss of a house. Dates are typed as "45.12.31", relationships of family employees as "長男".
PrintData longestReturn(const Marks& marks) {
    PrintData data;
    data.personCode = 7;
    data.yearCode = "H16";
    data.taxAccountant = {"長谷川　左衛門太郎", "東京都新宿区西新宿二丁目８番１号", "045-1234-5678"};
    TaxpayerRecord& t = data.taxpayer;
    t.name = "長谷川　左衛門太郎";
    t.reading = "ﾊｾｶﾞﾜ ｻｴﾓﾝﾀﾛｳﾉｽｹﾏｻﾐﾁ"; // 20: the copy keeps 14
    t.address1 = "北海道札幌市中央区北一条西十三丁目";
    t.address2 = "１２番地４５　見本ハイツ１０１号";
    t.addressJanuary = "北海道札幌市中央区北一条西十三丁目";
    t.birthEra = "昭和";
    t.birthYear = 45;
    t.birthMonth = 12;
    t.birthDay = 31;
    t.sex = marks.sex;
    t.householdHead = "長谷川太郎";
    t.relationship = "長男の妻";
    t.occupation = "飲食店経営";
    t.tradeName = "御食事処長谷川本店";
    t.telephone = "045-1234-5678";
    t.taxOffice = "保土ケ谷";
    t.taxpayerNumber = "12345678";
    t.bankBranch = "東京都庁出張所";
    t.bankName = "商工組合中央金庫";
    t.accountType = marks.account;
    t.accountNumber = "12345678901234";
    t.postalCode1 = "240";
    t.postalCode2 = "0042";
    t.returnKind = "青色";
    // Every box of page 1 filled.
    data.income.fill(987'654'321);
    data.tax.fill(987'654'321);

    for (int r = 0; r < 6; ++r) {
        data.breakdownTexts[3 * r] = "給　与";
        data.breakdownTexts[3 * r + 1] = "株式会社見本商事";
        data.breakdownTexts[3 * r + 2] = "東京都千代田区霞";
        data.breakdownAmounts[2 * r] = 987'654'321;    // revenue
        data.breakdownAmounts[2 * r + 1] = 98'765'432; // tax withheld
    }
    data.breakdownAmounts[12] = 98'765'432; // field 53: total withheld
    for (int d = 0; d < 3; ++d) {
        data.breakdownTexts[18 + 3 * d] = "配　当";
        data.breakdownTexts[19 + 3 * d] = "見本電機株式";
        data.breakdownTexts[20 + 3 * d] = "東京都港区芝";
        data.breakdownAmounts[13 + 3 * d] = 9'876'543;  // revenue
        data.breakdownAmounts[14 + 3 * d] = 9'876'543;  // expenses
        data.breakdownAmounts[15 + 3 * d] = -9'876'543; // net, a loss
    }

    const char* deductionTexts[] = {"台風による浸水",
                                    "16.10.23",
                                    "居宅・家財",
                                    "",
                                    "国民健康保険",
                                    "国民年金",
                                    "介護保険",
                                    "小規模共済",
                                    "心身障害扶養",
                                    "確定拠出年金",
                                    "東京都千代田区霞が関三丁目",
                                    "社会福祉法人見本福祉会",
                                    ""};
    for (int n = 0; n < 13; ++n)
        data.deductionTexts[static_cast<std::size_t>(n)] = deductionTexts[n];
    data.deductionAmounts.fill(9'876'543);
    data.deductionAmounts[0] = 1'234'567'890; // field 14: the loss of a house, ten digits
    data.deductionAmounts[1] = 98'765'432;    // field 15: what the insurance pays
    for (int n = 21; n <= 24; ++n)            // mutual aid: the yearly ceiling is 840,000
        data.deductionAmounts[static_cast<std::size_t>(n - 14)] = 840'000;

    auto& p = data.personalTexts;
    p[0] = "長谷川一郎";
    p[1] = "長谷川　花子";
    p[2] = "18.12.31";
    for (int j = 1; j <= 4; ++j) {
        p[3 * j] = "長谷川　左衛門";
        p[3 * j + 1] = "長男の妻";
        p[3 * j + 2] = "16.12.31";
    }
    for (int e = 1; e <= 3; ++e) {
        p[10 + 5 * e] = "長谷川　左衛門";
        p[11 + 5 * e] = "45.12.31";
        p[12 + 5 * e] = "長男";
        p[13 + 5 * e] = "12";
        p[14 + 5 * e] = "調理・接客";
    }
    p[30] = "措法41条の2";
    p[31] = marks.self;
    p[32] = marks.cause;
    p[33] = "勤労学生";
    p[34] = "早稲田大学大学院";
    p[43] = "（";
    p[44] = "）";
    p[45] = "配偶者控除";
    p[46] = "配偶者特別控除";
    for (int j = 0; j < 4; ++j)
        data.personalAmounts[static_cast<std::size_t>(j)] = 63; // 10,000-yen units
    data.personalAmounts[4] = 252;
    for (int e = 5; e <= 8; ++e)
        data.personalAmounts[static_cast<std::size_t>(e)] = 98'765'432; // salaries and their total
    return data;
}

constexpr Marks kMarkVariants[] = {
    {"男", "普通預金", "寡夫", "死別"},
    {"女", "当座預金", "老年者", "生死不明"},
    {"男", "普通預金", "特別寡婦", "離婚"},
    {"女", "当座預金", "寡婦", "未帰還"},
};

struct Printed {
    Box box;
    std::string text;
};

std::string describe(const Box& b) {
    std::ostringstream out;
    out.precision(4);
    out << "(" << b.left << ", " << b.top << ")–(" << b.right << ", " << b.bottom << ")";
    return out.str();
}

bool isMark(const std::string& text) {
    return text == "○";
}

// Everything that is wrong with the printed texts over `sheet`, one line each.
std::vector<std::string> faults(const FormSheet& sheet, const std::vector<testing::DrawnText>& drawn) {
    std::vector<Printed> printed;
    for (const testing::DrawnText& t : drawn) {
        const Box box = testing::inkBox(t.x, t.y, t.text, t.points);
        if (box.width() > 0)
            printed.push_back({box, t.text});
    }
    std::vector<Box> cells;
    for (const SheetBox& b : sheet.boxes())
        cells.push_back({b.rect.x + b.pen / 2, b.rect.y + b.pen / 2, b.rect.x + b.rect.w - b.pen / 2,
                         b.rect.y + b.rect.h - b.pen / 2});
    const std::vector<Box> rules = testing::ruleAreas(sheet);
    std::vector<CaptionGlyph> glyphs;
    for (const SheetCaption& c : sheet.captions())
        for (const CaptionGlyph& g : testing::captionGlyphs(c))
            glyphs.push_back(g);

    std::vector<std::string> found;
    for (std::size_t i = 0; i < printed.size(); ++i) {
        const Printed& p = printed[i];
        const std::string what = "「" + p.text + "」 " + describe(p.box);
        bool inCell = false;
        for (const Box& cell : cells)
            inCell = inCell || p.box.inside(cell);
        if (!inCell)
            found.push_back(what + " stands in no box");
        for (const Box& rule : rules)
            if (p.box.overlaps(rule))
                found.push_back(what + " crosses the stroke " + describe(rule));
        bool circles = false;
        for (const CaptionGlyph& g : glyphs) {
            const double dx = (p.box.left + p.box.right - g.box.left - g.box.right) / 2;
            const double dy = (p.box.top + p.box.bottom - g.box.top - g.box.bottom) / 2;
            // A ○ circles one character of its caption: centred on it, and the character no larger.
            if (isMark(p.text) && std::hypot(dx, dy) < 0.6 && g.box.width() <= p.box.width()) {
                circles = true;
                continue;
            }
            if (p.box.overlaps(g.box))
                found.push_back(what + " covers " + fromCodePoints(std::u32string(1, g.character)) +
                                " of the caption 「" + g.caption + "」");
        }
        if (isMark(p.text) && !circles)
            found.push_back(what + " circles no caption");
        for (std::size_t j = i + 1; j < printed.size(); ++j)
            if (p.box.overlaps(printed[j].box))
                found.push_back(what + " touches 「" + printed[j].text + "」 " + describe(printed[j].box));
    }
    return found;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line + "\n";
    return all;
}

TEST(CopyGeometry, PageOneEntriesStandCleanlyInTheirBoxes) {
    for (const Marks& marks : kMarkVariants) {
        const PrintData data = longestReturn(marks);
        DigitGrid grid;
        grid.decompose(data);
        testing::MeasuringSurface surface;
        PageOptions options;
        options.copy = true;
        options.paperMarker = "法人税";
        drawPage1(surface, data, grid, options);
        ASSERT_GT(surface.texts.size(), 500u);
        const auto found = faults(page1Sheet(), surface.texts);
        EXPECT_TRUE(found.empty()) << marks.sex << " " << marks.account << "\n" << joined(found);
    }
}

TEST(CopyGeometry, PageTwoEntriesStandCleanlyInTheirBoxes) {
    for (const Marks& marks : kMarkVariants) {
        const PrintData data = longestReturn(marks);
        testing::MeasuringSurface surface;
        PageOptions options;
        options.copy = true;
        drawPage2(surface, data, options);
        ASSERT_GT(surface.texts.size(), 100u);
        const auto found = faults(page2Sheet(), surface.texts);
        EXPECT_TRUE(found.empty()) << marks.self << " " << marks.cause << "\n" << joined(found);
    }
}

// The form images themselves: no caption runs into a stroke, so whatever the copy prints, the form reads.
TEST(CopyGeometry, CaptionsStandClearOfTheStrokes) {
    for (const FormSheet& sheet : {page1Sheet(), page2Sheet()}) {
        const std::vector<Box> rules = testing::ruleAreas(sheet);
        std::vector<std::string> found;
        for (const SheetCaption& c : sheet.captions())
            for (const CaptionGlyph& g : testing::captionGlyphs(c))
                for (const Box& rule : rules)
                    if (g.box.overlaps(rule))
                        found.push_back(fromCodePoints(std::u32string(1, g.character)) + " of 「" +
                                        g.caption + "」 " + describe(g.box) + " crosses the stroke " +
                                        describe(rule));
        EXPECT_TRUE(found.empty()) << sheet.widthMm() << " mm wide\n" << joined(found);
    }
}

} // namespace
} // namespace kakutei
