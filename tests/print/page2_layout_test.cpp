#include "print/page_layouts.h"

#include "recording_surface.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace kakutei {
namespace {

using testing::RecordingSurface;

PrintData sampleData() {
    PrintData data;
    data.yearCode = "H16";
    data.taxAccountant = {"税理士　田中", "東京都新宿区", "03-1111-2222"};
    data.taxpayer.name = "山田太郎";
    data.taxpayer.address1 = "東京都港区";
    data.taxpayer.reading = "ﾔﾏﾀﾞ";
    data.taxpayer.tradeName = "山田商店";
    data.breakdownTexts[0] = "給　与";
    data.breakdownTexts[1] = "株式会社サンプル";
    data.breakdownAmounts[0] = 1'234'567; // field 41: row 1 revenue
    data.breakdownAmounts[1] = 10'210;    // field 42
    data.breakdownAmounts[11] = 5;        // field 52: row 6 tax
    data.breakdownAmounts[12] = 10'215;   // field 53
    data.breakdownAmounts[15] = -50'000;  // field 56: detail row 1 net
    data.breakdownTexts[27] = "一　時";   // text 28: detail row 4 kind
    data.breakdownAmounts[22] = 999;      // field 63: detail row 4 revenue
    data.deductionTexts[4] = "国民年金";
    data.deductionAmounts[3] = 160'080; // field 17
    data.personalTexts[0] = "山田一郎";
    data.personalTexts[43] = "( ";
    data.personalTexts[44] = ")";
    data.personalTexts[12] = "山田四郎"; // text 13: dependent 4's name
    data.personalTexts[34] = "東京大学"; // text 35: school
    data.personalTexts[31] = "寡夫";
    data.personalTexts[32] = "死別";
    data.personalTexts[45] = "配偶者控除";
    data.personalAmounts[0] = 38; // field 48
    data.personalAmounts[4] = 38; // field 52
    return data;
}

struct Page2Fixture : ::testing::Test {
    PrintData data = sampleData();
    RecordingSurface surface;
    PageOptions options;
    void draw() { drawPage2(surface, data, options); }
    const testing::DrawnText* drawn(std::string_view text) { return surface.find(text); }
};

TEST_F(Page2Fixture, AmountsAreRightAlignedByThePlainNumbersWidth) {
    draw();
    constexpr double w = RecordingSurface::kCharacterWidth;
    const auto* revenue = drawn("1,234,567");
    ASSERT_NE(revenue, nullptr);
    EXPECT_DOUBLE_EQ(revenue->x, 81 - 7 * w); // seven digits, the separators stick out to the right
    EXPECT_EQ(revenue->y, 94);
    const auto* sixth = drawn("5");
    ASSERT_NE(sixth, nullptr);
    EXPECT_DOUBLE_EQ(sixth->x, 101 - w);
    EXPECT_EQ(sixth->y, 142);
    const auto* net = drawn("-50,000");
    ASSERT_NE(net, nullptr);
    EXPECT_DOUBLE_EQ(net->x, 102 - 6 * w); // the minus sign and five digits
    EXPECT_EQ(net->y, 255);
    const auto* dependent = drawn("38");
    ASSERT_NE(dependent, nullptr);
    EXPECT_DOUBLE_EQ(dependent->x, 197 - 2 * w); // printed as stored, in 10,000 yen
    EXPECT_EQ(drawn("999"), nullptr);            // a fourth detail row is never printed
    EXPECT_EQ(drawn("一　時"), nullptr);
}

TEST_F(Page2Fixture, OffsetsMoveEverythingButTheAccountant) {
    options.offsets = {3, 2};
    draw();
    EXPECT_EQ(surface.at(28, 13), std::vector<std::string>{"1"});
    EXPECT_EQ(surface.at(15, 96), std::vector<std::string>{"給　与"});
    EXPECT_EQ(surface.at(30, 94), std::vector<std::string>{"株式会社サンプル"});
    EXPECT_EQ(surface.at(117, 59), std::vector<std::string>{"国民年金"});
    const auto* name = drawn("税理士　田中");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 135);
    EXPECT_EQ(name->y, 272);
    EXPECT_EQ(name->font, "HG白洲行草書体");
    EXPECT_EQ(surface.at(135, 278), std::vector<std::string>{"03-1111-2222"});
    EXPECT_EQ(drawn("東京都新宿区"), nullptr); // the accountant's address is not printed
    const auto* after = drawn("山田太郎");
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->font, "MS 明朝");
}

TEST_F(Page2Fixture, AddressBlockAndItsSizes) {
    draw();
    const std::tuple<const char*, double, double> expected[] = {
        {"東京都港区", 40, 11}, {"山田商店", 49, 10}, {"ﾔﾏﾀﾞ", 53, 9}, {"山田太郎", 57, 11}};
    for (const auto& [text, y, points] : expected) {
        const auto* t = drawn(text);
        ASSERT_NE(t, nullptr) << text;
        EXPECT_EQ(t->x, 34);
        EXPECT_EQ(t->y, y);
        EXPECT_EQ(t->points, points);
    }
    surface = RecordingSurface();
    options.paperMarker = std::string(kOfficeFormMarker);
    draw();
    EXPECT_EQ(drawn("東京都港区"), nullptr);
    EXPECT_EQ(drawn("山田太郎"), nullptr);
    EXPECT_EQ(surface.at(25, 11), std::vector<std::string>{"1"}); // the year is still printed
}

TEST_F(Page2Fixture, PersonalItemsMarksAndTheSchool) {
    draw();
    EXPECT_EQ(surface.at(135, 134), std::vector<std::string>{"( 山田一郎)"});
    EXPECT_EQ(surface.at(136, 117), std::vector<std::string>{"♪"}); // 寡夫 marks like 寡婦
    EXPECT_EQ(surface.at(136, 122), std::vector<std::string>{"♪"}); // 死別
    EXPECT_EQ(surface.at(172, 140), std::vector<std::string>{"♪"});
    EXPECT_TRUE(surface.at(172, 145).empty());
    EXPECT_EQ(surface.at(114, 181), std::vector<std::string>{"山田四郎"});
    EXPECT_EQ(surface.at(170, 126), std::vector<std::string>{"東京大学"});
}

TEST_F(Page2Fixture, TheA4CopyPositions) {
    options.copy = true;
    options.offsets = {9, 9};
    draw();
    EXPECT_EQ(surface.at(29, 15), std::vector<std::string>{"1"});
    EXPECT_EQ(surface.at(137, 269), std::vector<std::string>{"税理士　田中"});
    EXPECT_EQ(surface.at(17, 95), std::vector<std::string>{"給　与"});
    EXPECT_EQ(surface.at(34, 43), std::vector<std::string>{"東京都港区"});
    EXPECT_EQ(surface.at(115, 60), std::vector<std::string>{"国民年金"});
    const auto* revenue = drawn("1,234,567");
    ASSERT_NE(revenue, nullptr);
    EXPECT_DOUBLE_EQ(revenue->x, 81 - 7 * RecordingSurface::kCharacterWidth); // amounts keep the form's place
    const auto* net = drawn("-50,000");
    EXPECT_DOUBLE_EQ(net->x, 103 - 6 * RecordingSurface::kCharacterWidth);
}

// Every amount of page 2 at its place, on the form and on the copy: one row per entry, written out from the
// form's measurements, so that an amount moved by a millimetre fails here. Where the copy keeps a wide
// amount inside its box on the copy's image, its place is the one page2_layout.cpp gives the reason for.
TEST(Page2Positions, EveryAmountOnTheFormAndOnTheCopy) {
    enum class From { breakdown, deductions, personal };
    struct Place {
        From from;
        int field;
        double formR, formY, copyR, copyY;
    };
    std::vector<Place> places;
    const double rowY[] = {94, 103, 113, 123, 132, 142};
    for (int r = 1; r <= 6; ++r) {
        places.push_back({From::breakdown, 39 + 2 * r, 81, rowY[r - 1], 81, rowY[r - 1]});
        places.push_back({From::breakdown, 40 + 2 * r, 101, rowY[r - 1], 101, rowY[r - 1]});
    }
    places.push_back({From::breakdown, 53, 101, 151, 101, 151});
    const double detailY[] = {255, 265, 275};
    for (int d = 1; d <= 3; ++d) {
        places.push_back({From::breakdown, 51 + 3 * d, 62, detailY[d - 1], 65, detailY[d - 1]});
        places.push_back({From::breakdown, 52 + 3 * d, 81, detailY[d - 1], 83, detailY[d - 1]});
        places.push_back({From::breakdown, 53 + 3 * d, 102, detailY[d - 1], 103, detailY[d - 1]});
    }
    const double salaryY[] = {180, 192, 205};
    for (int e = 1; e <= 3; ++e)
        places.push_back({From::personal, 52 + e, 101, salaryY[e - 1], 102, salaryY[e - 1]});
    places.push_back({From::personal, 56, 101, 216, 102, 216});
    const double dependentY[] = {157, 165, 173, 181};
    for (int j = 1; j <= 4; ++j)
        places.push_back({From::personal, 47 + j, 197, dependentY[j - 1], 198, dependentY[j - 1]});
    places.push_back({From::personal, 52, 197, 187, 198, 187});
    const Place deductions[] = {
        {From::deductions, 14, 138, 35, 141, 35},   {From::deductions, 15, 170, 35, 173, 35},
        {From::deductions, 16, 198, 35, 198, 35},   {From::deductions, 31, 156, 44, 159, 44},
        {From::deductions, 32, 197, 44, 198, 44},   {From::deductions, 17, 150, 57, 153, 60},
        {From::deductions, 18, 150, 65, 153, 68},   {From::deductions, 19, 150, 73, 153, 76},
        {From::deductions, 20, 150, 81, 153, 84},   {From::deductions, 21, 197, 57, 198, 60},
        {From::deductions, 22, 197, 65, 198, 68},   {From::deductions, 23, 197, 73, 198, 76},
        {From::deductions, 24, 197, 81, 198, 84},   {From::deductions, 25, 150, 89, 151, 92},
        {From::deductions, 26, 150, 97, 151, 100},  {From::deductions, 27, 197, 89, 198, 92},
        {From::deductions, 28, 197, 97, 198, 100},  {From::deductions, 29, 197, 105, 198, 105},
        {From::deductions, 30, 197, 113, 198, 113},
    };
    places.insert(places.end(), std::begin(deductions), std::end(deductions));

    // A six-digit amount of its own for every entry, so that each is found by its text alone.
    PrintData data;
    data.yearCode = "H16";
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const std::int32_t amount = 100'000 + 1'111 * static_cast<std::int32_t>(i);
        const Place& place = places[i];
        switch (place.from) {
        case From::breakdown:
            data.breakdownAmounts[static_cast<std::size_t>(place.field - 41)] = amount;
            break;
        case From::deductions:
            data.deductionAmounts[static_cast<std::size_t>(place.field - 14)] = amount;
            break;
        case From::personal:
            data.personalAmounts[static_cast<std::size_t>(place.field - 48)] = amount;
            break;
        }
        const std::string digits = std::to_string(amount);
        texts.push_back(digits.substr(0, 3) + "," + digits.substr(3));
    }
    constexpr double w = RecordingSurface::kCharacterWidth;
    for (const bool copy : {false, true}) {
        RecordingSurface surface;
        PageOptions options;
        options.copy = copy;
        drawPage2(surface, data, options);
        for (std::size_t i = 0; i < places.size(); ++i) {
            const Place& place = places[i];
            SCOPED_TRACE(std::string(copy ? "copy" : "form") + ", field " + std::to_string(place.field));
            const auto* drawn = surface.find(texts[i]);
            ASSERT_NE(drawn, nullptr) << texts[i];
            EXPECT_DOUBLE_EQ(drawn->x, (copy ? place.copyR : place.formR) - 6 * w);
            EXPECT_DOUBLE_EQ(drawn->y, copy ? place.copyY : place.formY);
        }
    }
}

// Every text of page 2 at its place on the form, written out from the form's measurements: each field
// holds a text of its own, found where the form's box for it is.
TEST(Page2Positions, EveryTextOnTheForm) {
    enum class From { breakdown, deductions, personal };
    struct Place {
        From from;
        int field;
        double x, y;
    };
    std::vector<Place> places;
    const double kindY[] = {94, 103, 113, 123, 132, 142};
    const double firstY[] = {92, 101, 111, 120, 130, 139};
    const double secondY[] = {96, 106, 116, 125, 134, 144};
    for (int r = 1; r <= 6; ++r) {
        places.push_back({From::breakdown, 3 * r - 2, 12, kindY[r - 1]});
        places.push_back({From::breakdown, 3 * r - 1, 27, firstY[r - 1]});
        places.push_back({From::breakdown, 3 * r, 27, secondY[r - 1]});
    }
    const double employeeY[3][5] = {
        {174, 181, 179, 174, 179}, {188, 193, 192, 188, 193}, {200, 206, 204, 199, 205}};
    const double employeeX[5] = {22, 30, 52, 60, 60};
    for (int e = 1; e <= 3; ++e)
        for (int i = 0; i < 5; ++i)
            places.push_back({From::personal, 11 + 5 * e + i, employeeX[i], employeeY[e - 1][i]});
    places.push_back({From::personal, 31, 48, 230});
    const double detailY[3][3] = {{255, 253, 257}, {263, 262, 267}, {273, 272, 276}};
    for (int d = 1; d <= 3; ++d) {
        places.push_back({From::breakdown, 16 + 3 * d, 11, detailY[d - 1][0]});
        places.push_back({From::breakdown, 17 + 3 * d, 24, detailY[d - 1][1]});
        places.push_back({From::breakdown, 18 + 3 * d, 24, detailY[d - 1][2]});
    }
    const Place deductionsAndPersonal[] = {
        {From::deductions, 1, 115, 27},   {From::deductions, 2, 145, 27},   {From::deductions, 3, 165, 27},
        {From::deductions, 5, 114, 57},   {From::deductions, 6, 114, 65},   {From::deductions, 7, 114, 73},
        {From::deductions, 8, 161, 57},   {From::deductions, 9, 161, 65},   {From::deductions, 10, 161, 73},
        {From::deductions, 11, 114, 107}, {From::deductions, 12, 114, 112}, {From::personal, 2, 114, 145},
        {From::personal, 3, 149, 145},
    };
    places.insert(places.end(), std::begin(deductionsAndPersonal), std::end(deductionsAndPersonal));
    const double dependentY[] = {157, 165, 173, 181};
    for (int j = 1; j <= 4; ++j) {
        places.push_back({From::personal, 3 * j + 1, 114, dependentY[j - 1]});
        places.push_back({From::personal, 3 * j + 2, 142, dependentY[j - 1]});
        places.push_back({From::personal, 3 * j + 3, 161, dependentY[j - 1]});
    }

    PrintData data;
    data.yearCode = "H16";
    data.taxAccountant = {"税理士名", "税理士の住所", "税理士の電話"};
    data.taxpayer.address1 = "住所一";
    data.taxpayer.address2 = "住所二";
    data.taxpayer.tradeName = "屋号";
    data.taxpayer.reading = "ﾌﾘｶﾞﾅ";
    data.taxpayer.name = "氏名";
    data.personalTexts[0] = "障害者";
    std::vector<std::string> texts;
    for (const Place& place : places) {
        const std::string text = "t" + std::to_string(texts.size());
        const auto slot = static_cast<std::size_t>(place.field - 1);
        std::string& field = place.from == From::breakdown    ? data.breakdownTexts[slot]
                             : place.from == From::deductions ? data.deductionTexts[slot]
                                                              : data.personalTexts[slot];
        field = text;
        texts.push_back(text);
    }
    RecordingSurface surface;
    drawPage2(surface, data, PageOptions{});
    for (std::size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(surface.at(places[i].x, places[i].y), std::vector<std::string>{texts[i]})
            << "field " << places[i].field << " at (" << places[i].x << ", " << places[i].y << ")";
    const std::pair<std::string, std::pair<double, double>> fixed[] = {
        {"1", {25, 11}},      {"6", {30, 11}},        {"税理士名", {135, 272}}, {"税理士の電話", {135, 278}},
        {"住所一", {34, 40}}, {"住所二", {34, 44}},   {"屋号", {34, 49}},       {"ﾌﾘｶﾞﾅ", {34, 53}},
        {"氏名", {34, 57}},   {"障害者", {135, 134}},
    };
    for (const auto& [text, at] : fixed)
        EXPECT_EQ(surface.at(at.first, at.second), std::vector<std::string>{text}) << text;
    EXPECT_EQ(surface.find("税理士の住所"), nullptr); // the accountant's address is not printed
}

} // namespace
} // namespace kakutei
