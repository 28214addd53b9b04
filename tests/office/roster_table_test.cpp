#include "office/roster_search.h"
#include "office/roster_table.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

RosterRow row(PersonCode code, const char* name, const char* reading, std::optional<std::int64_t> due,
              std::optional<std::int64_t> refund) {
    RosterRow r;
    r.code = code;
    r.name = name;
    r.reading = reading;
    r.taxDue = due;
    r.refund = refund;
    return r;
}

std::vector<RosterRow> office() {
    return {row(7, "山田太郎", "ヤマダ　タロウ", 1015000, 0), row(42, "髙橋　花子", "ﾀｶﾊｼ ﾊﾅｺ", 0, 35000),
            row(70, "ガーデン商会", "ガーデンショウカイ", std::nullopt, std::nullopt),
            row(100, "Smith John", "スミス", 0, 0)};
}

std::vector<PersonCode> codesOf(const RosterTable& table) {
    std::vector<PersonCode> codes;
    for (const RosterRow* r : table.visibleRows())
        codes.push_back(r->code);
    return codes;
}

struct SearchCase {
    const char* search;
    std::vector<PersonCode> found;
};

class RosterSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(RosterSearch, FindsByCodeNameOrReadingInAnyWidth) {
    RosterTable table;
    table.setRows(office());
    table.setSearch(GetParam().search);
    EXPECT_EQ(codesOf(table), GetParam().found) << GetParam().search;
}

INSTANTIATE_TEST_SUITE_P(Cases, RosterSearch,
                         ::testing::Values(SearchCase{"", {7, 42, 70, 100}}, // nothing typed: everyone
                                           SearchCase{"山田", {7}},          // part of the name
                                           SearchCase{"山田　太郎", {7}}, // with the space between the names
                                           SearchCase{"やまだ", {7}}, // hiragana against a katakana reading
                                           SearchCase{"ﾔﾏﾀﾞ", {7}},   // half-width kana, voiced mark joined
                                           SearchCase{"たかはし", {42}}, // against a half-width reading
                                           SearchCase{"ハナコ", {42}},   // across the half-width space
                                           SearchCase{"ｶﾞｰﾃﾞﾝ", {70}}, // long vowel mark and two voiced marks
                                           SearchCase{"ｓｍｉｔｈ", {100}}, // full-width letters, other case
                                           SearchCase{"7", {7, 70}},        // the start of the code
                                           SearchCase{"０７", {7, 70}},     // full-width, with the leading 0
                                           SearchCase{"42", {42}}, SearchCase{"鈴木", {}}));

TEST(RosterSort, ByBalanceRefundsFirstAndUncalculatedLastBothWays) {
    RosterTable table;
    table.setRows(office());
    table.sortBy(RosterColumn::balance, true);
    EXPECT_EQ(codesOf(table), (std::vector<PersonCode>{42, 100, 7, 70}));
    table.sortBy(RosterColumn::balance, false);
    EXPECT_EQ(codesOf(table), (std::vector<PersonCode>{7, 100, 42, 70}));
}

TEST(RosterSort, ByReadingInKanaOrderAndASearchKeepsThatOrder) {
    RosterTable table;
    table.setRows(office());
    table.sortBy(RosterColumn::reading, true);
    EXPECT_EQ(codesOf(table), (std::vector<PersonCode>{70, 100, 42, 7})); // ガ, ス, タ (half-width), ヤ
    table.setSearch("7");
    EXPECT_EQ(codesOf(table), (std::vector<PersonCode>{70, 7}));
}

struct CellCase {
    RosterColumn column;
    RosterRow row;
    const char* text;
};

TEST(RosterCells, ShowFiguresAsTheUserReadsThem) {
    RosterRow unreadable = row(9, "", "", std::nullopt, std::nullopt);
    unreadable.unreadable.push_back({"/x/95.txt", unreadableFile(std::make_error_code(std::errc::io_error))});
    RosterRow counted = row(9, "", "", 0, 0);
    counted.warnings = 3;
    counted.returnKind = "青色";
    counted.income = 12345678;
    const CellCase cases[] = {
        {RosterColumn::balance, row(1, "", "", 1015000, 0), "納付 1,015,000"},
        {RosterColumn::balance, row(1, "", "", 0, 35000), "還付 35,000"},
        {RosterColumn::balance, row(1, "", "", 0, 0), "0"},
        {RosterColumn::balance, row(1, "", "", std::nullopt, std::nullopt), ""},
        {RosterColumn::calculatedAt, row(1, "", "", std::nullopt, std::nullopt), "未計算"},
        {RosterColumn::warnings, counted, "3"},
        {RosterColumn::warnings, unreadable, "読めません"},
        {RosterColumn::returnKind, counted, "青"},
        {RosterColumn::income, counted, "12,345,678"},
    };
    for (const CellCase& c : cases)
        EXPECT_EQ(rosterCellText(c.row, c.column), c.text) << static_cast<int>(c.column);
}

} // namespace
} // namespace kakutei
