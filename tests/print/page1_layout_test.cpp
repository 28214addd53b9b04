#include "print/page_layouts.h"

#include "recording_surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kakutei {
namespace {

using testing::RecordingSurface;

PrintData sampleData() {
    PrintData data;
    data.personCode = 7;
    data.yearCode = "H16";
    TaxpayerRecord& t = data.taxpayer;
    t.name = "山田太郎";
    t.taxOffice = "芝";
    t.address1 = "東京都港区芝5-8-1";
    t.birthEra = "昭和";
    t.birthYear = 45;
    t.birthMonth = 7;
    t.birthDay = 3;
    t.sex = "男";
    t.returnKind = "青色";
    t.reading = "ﾔﾏﾀﾞ ﾀﾛｳ ｱｲｳｴｵｶｷｸｹｺ"; // 20 characters
    t.postalCode1 = "108";
    t.postalCode2 = "0014";
    t.bankName = "髙﨑銀行";
    t.bankBranch = "本店";
    t.accountType = "普通預金";
    t.accountNumber = "1234567";
    t.taxpayerNumber = "12345678";
    t.tradeName = "山田商店本店";
    return data;
}

struct Page1Fixture : ::testing::Test {
    PrintData data = sampleData();
    DigitGrid grid;
    RecordingSurface surface;
    PageOptions options;

    void draw() {
        grid.decompose(data);
        drawPage1(surface, data, grid, options);
    }
    std::string digitAt(double x, double y) {
        const auto found = surface.at(x, y);
        return found.size() == 1 ? found[0] : "(" + std::to_string(found.size()) + " texts)";
    }
};

TEST_F(Page1Fixture, DigitRowsWithOffsets) {
    data.income[19] = 4'500'000; // row 20, line 9
    options.offsets = {2, -1};
    draw();
    EXPECT_EQ(digitAt(69, 179), " 4 ");
    const char* rest[] = {" 5 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(digitAt(74 + 5 * i, 179), rest[i]) << i;
    EXPECT_TRUE(surface.at(64, 179).empty());
}

TEST_F(Page1Fixture, ShortenedRowsStopBeforeThePreprintedZeros) {
    struct Case {
        int row;
        double amount;
        std::vector<std::pair<double, const char*>> digits; // X → digit
        double y;
        std::vector<double> empty;
    } cases[] = {
        {35, 1'234'000, {{159, " 1 "}, {164, " 2 "}, {169, " 3 "}, {174, " 4 "}}, 60, {179, 184, 189}},
        {48, 56'700, {{169, " 5 "}, {174, " 6 "}, {179, " 7 "}}, 142, {184, 189}},
        {33, 380'000, {{72, " 3 "}, {77, " 8 "}}, 263, {82, 87, 92, 97}},
    };
    for (const Case& c : cases) {
        data = sampleData();
        surface = RecordingSurface();
        if (c.row <= 20)
            data.income[static_cast<std::size_t>(c.row - 1)] = c.amount;
        else
            data.tax[static_cast<std::size_t>(c.row - 21)] = c.amount;
        draw();
        for (const auto& [x, digit] : c.digits)
            EXPECT_EQ(digitAt(x, c.y), digit) << "row " << c.row << " x " << x;
        for (double x : c.empty)
            EXPECT_TRUE(surface.at(x, c.y).empty()) << "row " << c.row << " x " << x;
    }
}

TEST_F(Page1Fixture, ParticularsOnTheOrdinaryForm) {
    options.offsets = {1, 2};
    draw();
    EXPECT_EQ(surface.at(72, 12), std::vector<std::string>{"1"});
    EXPECT_EQ(surface.at(77, 12), std::vector<std::string>{"6"});
    EXPECT_EQ(surface.at(123, 11), std::vector<std::string>{"確  定"});
    EXPECT_EQ(surface.at(18, 8), std::vector<std::string>{"芝"});
    EXPECT_EQ(surface.at(114, 29), std::vector<std::string>{"山田太郎"});
    EXPECT_EQ(surface.at(137, 38), std::vector<std::string>{"山田商店本"}); // trade name: five characters
    EXPECT_EQ(surface.at(34, 20), std::vector<std::string>{"1"});
    EXPECT_EQ(surface.at(66, 20), std::vector<std::string>{"4"});
    // The reading: 14 of its 20 characters, one per box from X = 111.
    EXPECT_EQ(surface.at(112, 20), std::vector<std::string>{"ﾔ"});
    EXPECT_EQ(surface.at(177, 20), std::vector<std::string>{"ｵ"});
    EXPECT_TRUE(surface.at(182, 20).empty());
    // Born 昭和 45.7.3: era 3, year 4 and 5, month only 7, day only 3.
    EXPECT_EQ(surface.at(109, 47), std::vector<std::string>{"3"});
    EXPECT_EQ(surface.at(116, 47), std::vector<std::string>{" 4 "});
    EXPECT_EQ(surface.at(121, 47), std::vector<std::string>{" 5 "});
    EXPECT_TRUE(surface.at(129, 47).empty());
    EXPECT_EQ(surface.at(134, 47), std::vector<std::string>{" 7 "});
    EXPECT_TRUE(surface.at(141, 47).empty());
    EXPECT_EQ(surface.at(146, 47), std::vector<std::string>{" 3 "});
    EXPECT_EQ(surface.at(74, 54), std::vector<std::string>{"○"}); // blue return
    const auto* sex = surface.find("○");
    ASSERT_NE(sex, nullptr);
    bool sexMarkIn10pt = false;
    for (const auto& t : surface.texts)
        if (t.x == 101 && t.y == 40 && t.text == "○")
            sexMarkIn10pt = t.points == 10;
    EXPECT_TRUE(sexMarkIn10pt);
    EXPECT_EQ(surface.at(116, 238), std::vector<std::string>{"髙﨑銀行"});
    EXPECT_EQ(surface.at(160, 248), std::vector<std::string>{"○"}); // 普通預金
    EXPECT_EQ(surface.at(125, 255), std::vector<std::string>{"1"});
    EXPECT_EQ(surface.at(130, 54), std::vector<std::string>{"1"}); // taxpayer number
    EXPECT_EQ(surface.at(165, 54), std::vector<std::string>{"8"});
}

TEST_F(Page1Fixture, EraCodes) {
    const std::pair<const char*, const char*> cases[] = {
        {"明治", "1"}, {"大正", "2"}, {"昭和", "3"}, {"平成", "4"}};
    for (const auto& [era, code] : cases) {
        data.taxpayer.birthEra = era;
        surface = RecordingSurface();
        draw();
        EXPECT_EQ(surface.at(108, 45), std::vector<std::string>{code}) << era;
    }
    data.taxpayer.birthEra = "";
    surface = RecordingSurface();
    draw();
    EXPECT_TRUE(surface.at(108, 45).empty());
}

TEST_F(Page1Fixture, ResidentTaxAndOfficeFormVariants) {
    for (int row = 50; row <= 61; ++row)
        data.tax[static_cast<std::size_t>(row - 21)] = 9;
    options.pageMarker = std::string(kResidentTaxMarker);
    options.paperMarker = std::string(kOfficeFormMarker);
    draw();
    // Rows 58 to 61 (lines 50 to 53) and the bank block are missing; so are the year, 確定 and the number.
    constexpr double kRowTops[] = {155, 161, 168, 174, 180, 187, 193, 200}; // rows 50 to 57
    for (double y : kRowTops)
        EXPECT_EQ(surface.at(189, y).size(), 1u) << y;
    for (double y : {206, 212, 219, 225})
        EXPECT_TRUE(surface.at(189, y).empty()) << y;
    EXPECT_EQ(surface.find("髙﨑銀行"), nullptr);
    EXPECT_EQ(surface.find("確  定"), nullptr);
    EXPECT_TRUE(surface.at(71, 10).empty());
    EXPECT_TRUE(surface.at(129, 52).empty());
    EXPECT_NE(surface.find("山田太郎"), nullptr);
}

TEST_F(Page1Fixture, TheA4CopyUsesItsOwnPositions) {
    data.income[0] = 123'456'789; // row 1
    data.tax[14] = 1'000;         // row 35
    options.copy = true;
    options.offsets = {9, 9}; // ignored on the copy
    draw();
    EXPECT_EQ(surface.at(100, 66), std::vector<std::string>{" 9 "});
    EXPECT_EQ(surface.at(60, 66), std::vector<std::string>{" 1 "});
    EXPECT_EQ(surface.at(174, 66), std::vector<std::string>{" 1 "}); // row 35, cell 6 at 161 + 10 + 3
    EXPECT_EQ(surface.at(74, 18), std::vector<std::string>{"1"});    // year, shifted 3 and 8
    EXPECT_EQ(surface.at(115, 34), std::vector<std::string>{"山田太郎"});
    EXPECT_EQ(surface.at(116, 236), std::vector<std::string>{"髙﨑銀行"});
}

TEST_F(Page1Fixture, AllZeroPrintsOnlyTheParticulars) {
    draw();
    for (const auto& t : surface.texts)
        EXPECT_FALSE(t.y >= 60 && t.y <= 225 && t.x >= 57 && t.x <= 189 && t.text.size() == 3 &&
                     t.text[0] == ' ')
            << t.x << "," << t.y << " " << t.text;
}

// Every digit box of page 1 at its place, on the form and on the copy: each of the 61 rows alone holds
// 987,654,321, and each printed cell shows its digit where the form's box is, the cells after the row's
// last printed one (preprinted zeros) nothing. An amount moved by a millimetre fails here.
TEST(Page1Positions, EveryDigitBoxOnTheFormAndOnTheCopy) {
    constexpr int kLeftTop[34] = {60,  66,  73,  79,  85,  91,  98,  104, 111, 117, 123, 130,
                                  136, 142, 149, 155, 161, 168, 174, 180, 187, 193, 200, 206,
                                  212, 219, 225, 231, 238, 244, 251, 257, 263, 270};
    constexpr int kLeftCopyTop[34] = {61,  67,  74,  80,  86,  92,  98,  104, 111, 117, 123, 129,
                                      135, 142, 148, 154, 160, 166, 172, 178, 184, 191, 197, 203,
                                      209, 215, 221, 226, 234, 240, 246, 252, 258, 265};
    constexpr int kRightCopyTop[27] = {61,  67,  74,  80,  86,  92,  98,  104, 111, 117, 123, 129, 135, 141,
                                       148, 154, 160, 166, 172, 178, 184, 191, 197, 203, 209, 215, 221};
    // Written out again rather than taken from the program, so that a change to its table shows here.
    const auto lastCell = [](int row) {
        if (row >= 28 && row <= 33)
            return 5;
        if (row == 35 || row == 59)
            return 6;
        if (row == 48 || row == 58 || row == 61)
            return 7;
        return 9;
    };
    for (int row = 1; row <= 61; ++row) {
        const bool left = row <= 34;
        PrintData data;
        data.yearCode = "H16";
        (row <= 20 ? data.income[static_cast<std::size_t>(row - 1)]
                   : data.tax[static_cast<std::size_t>(row - 21)]) = 987'654'321;
        for (const bool copy : {false, true}) {
            SCOPED_TRACE("row " + std::to_string(row) + (copy ? " on the copy" : " on the form"));
            DigitGrid grid;
            grid.decompose(data);
            RecordingSurface surface;
            PageOptions options;
            options.copy = copy;
            drawPage1(surface, data, grid, options);
            const double y = !copy ? (left ? kLeftTop[row - 1] : kLeftTop[row - 35])
                                   : 5 + (left ? kLeftCopyTop[row - 1] : kRightCopyTop[row - 35]);
            const double firstX = left ? (copy ? 60 : 57) : 149;
            for (int k = 1; k <= 9; ++k) {
                const std::vector<std::string> found = surface.at(firstX + 5 * (k - 1), y);
                if (k <= lastCell(row))
                    EXPECT_EQ(found, std::vector<std::string>{" " + std::to_string(10 - k) + " "})
                        << "cell " << k;
                else
                    EXPECT_TRUE(found.empty()) << "cell " << k;
            }
        }
    }
}

// Every particular of page 1 written as one text, at its place on the ordinary form.
TEST(Page1Positions, EveryWholeTextParticularOnTheForm) {
    PrintData data;
    data.yearCode = "H16";
    TaxpayerRecord& t = data.taxpayer;
    const struct {
        std::string TaxpayerRecord::*field;
        const char* text;
        double x, y;
    } particulars[] = {
        {&TaxpayerRecord::taxOffice, "税務署", 17, 6},
        {&TaxpayerRecord::address1, "住所一", 31, 27},
        {&TaxpayerRecord::address2, "住所二", 31, 36},
        {&TaxpayerRecord::addressJanuary, "一月一日", 31, 45},
        {&TaxpayerRecord::name, "氏名", 113, 27},
        {&TaxpayerRecord::occupation, "職業", 113, 36},
        {&TaxpayerRecord::tradeName, "屋号", 136, 36},
        {&TaxpayerRecord::householdHead, "世帯主", 160, 36},
        {&TaxpayerRecord::relationship, "続柄", 182, 36},
        {&TaxpayerRecord::telephone, "電話", 160, 45},
        {&TaxpayerRecord::bankName, "銀行", 115, 236},
        {&TaxpayerRecord::bankBranch, "支店", 159, 236},
    };
    for (const auto& p : particulars)
        t.*p.field = p.text;
    DigitGrid grid;
    grid.decompose(data);
    RecordingSurface surface;
    drawPage1(surface, data, grid, PageOptions{});
    for (const auto& p : particulars)
        EXPECT_EQ(surface.at(p.x, p.y), std::vector<std::string>{p.text}) << p.text;
    EXPECT_EQ(surface.at(122, 9), std::vector<std::string>{"確  定"});
}

} // namespace
} // namespace kakutei
