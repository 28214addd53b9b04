// Last year beside this year: the rows, the difference, the mark for a move of more than a tenth, what a
// missing or unreadable year leaves empty, and the CSV.
#include "core/path_text.h"
#include "office/comparison_csv.h"
#include "office/comparison_report.h"
#include "office/year_comparison.h"

#include "core/cp932.h"
#include "registry/output_gate.h"
#include "tax/tax_computation_screen.h"

#include "sample_taxpayer.h"
#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <iterator>

namespace kakutei {
namespace {

using testing::TempRoot;

TEST(ComparisonRow, ChangedMeansMovedByMoreThanATenthOfLastYear) {
    struct Case {
        std::optional<std::int64_t> thisYear, lastYear;
        std::optional<std::int64_t> difference;
        bool changed;
    };
    const Case cases[] = {
        {110, 100, 10, false}, // exactly a tenth is not more
        {111, 100, 11, true},
        {90, 100, -10, false},
        {89, 100, -11, true},
        {1'000'000, 1'000'000, 0, false},
        {0, 0, 0, false},                     // equal amounts never
        {1, 0, 1, true},                      // from nothing to something
        {0, 35'000, -35'000, true},           // a refund that went away
        {-215'000, -200'000, -15'000, false}, // line 38 may be negative: the size counts
        {-220'050, -180'000, -40'050, true},
        {5'000'000, std::nullopt, std::nullopt, false}, // no earlier figure: nothing to compare
        {std::nullopt, 4'000'000, std::nullopt, false},
    };
    for (const Case& c : cases) {
        const ComparisonRow row{9, "所得金額", c.thisYear, c.lastYear};
        EXPECT_EQ(row.difference(), c.difference)
            << c.thisYear.value_or(-1) << " " << c.lastYear.value_or(-1);
        EXPECT_EQ(row.changed(), c.changed) << c.thisYear.value_or(-1) << " " << c.lastYear.value_or(-1);
    }
}

// Stored figures are shown as every screen shows them, halves away from zero, and the difference is taken
// from the stored figures before it is shown, never from two rounded ones.
TEST(ComparisonRow, ShownAsTheScreensShowItWithTheDifferenceOfTheStoredFigures) {
    const struct {
        double thisYear, lastYear;
        const char *shownThis, *shownLast, *difference;
    } cases[] = {
        {750'004.5, 750'004.4, "750,005", "750,004", "0"},
        {750'004.5, 750'003.5, "750,005", "750,004", "+1"},
        {2.5, 1.5, "3", "2", "+1"},
        {0.4, 0.6, "0", "1", "0"},
        {-0.5, 0, "-1", "0", "-1"},
        {750'004.49, 0, "750,004", "0", "+750,004"},
    };
    for (const auto& c : cases) {
        const ComparisonRow row{38, "申告納税額", c.thisYear, c.lastYear};
        EXPECT_EQ(comparisonCellText(row, ComparisonColumn::thisYear), c.shownThis) << c.thisYear;
        EXPECT_EQ(comparisonCellText(row, ComparisonColumn::lastYear), c.shownLast) << c.lastYear;
        EXPECT_EQ(comparisonCellText(row, ComparisonColumn::difference), c.difference)
            << c.thisYear << " " << c.lastYear;
    }
}

struct YearComparisonFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};

    YearComparisonFixture() {
        store.ensureFolders(kYearCode);
        testing::registerTaxpayer(store, 7, "山田太郎");
    }
    // Line 9 is income field 20; lines 10 to 53 are the tax computation's fields 1 to 41.
    void storeYear(std::string_view year, const char* income, const std::map<int, std::string>& tax) {
        testing::writeRecordFields(store, 7, 1, 0, 20, {{20, income}}, year);
        testing::writeRecordFields(store, 7, 5, 0, 41, tax, year);
    }
    void storeBothYears() {
        // Line 12 (field 3) moves by less than a tenth, line 24 (13) not at all, line 38 (26) is stored
        // with a half yen, line 41 (29) was a refund last year and is none this year.
        storeYear(kYearCode, "5000000", {{3, "600000"}, {13, "380000"}, {26, "250000.5"}});
        storeYear(kPreviousYearCode, "4000000",
                  {{3, "560000"}, {13, "380000"}, {26, "200000"}, {29, "35000"}});
    }
    static const ComparisonRow& rowOf(const YearComparison& comparison, int line) {
        for (const ComparisonRow& row : comparison.rows)
            if (row.line == line)
                return row;
        throw std::out_of_range("no line " + std::to_string(line));
    }
};

TEST_F(YearComparisonFixture, EveryLineFromNineToFiftyThreeWithBothYears) {
    storeBothYears();
    const YearComparison comparison = compareYears(store, 7);
    EXPECT_TRUE(comparison.registered);
    EXPECT_EQ(comparison.name, "山田太郎");
    EXPECT_EQ(comparisonClientLine(comparison), "個人コード 7　山田太郎");
    EXPECT_EQ(comparisonYearsLine(comparison), "今年（平成16年分）と前年（平成14年分）");
    EXPECT_TRUE(comparison.notes.empty());
    EXPECT_TRUE(comparison.unreadable.empty());
    ASSERT_EQ(comparison.rows.size(), std::size(tax_computation::kLines));
    EXPECT_EQ(comparison.rows.front().line, 9);
    EXPECT_EQ(comparison.rows.back().line, 53);

    struct Expected {
        int line;
        const char* caption;
        double thisYear, lastYear;
        bool changed;
        std::vector<std::string> cells; // 行, 項目, 今年, 前年, 差額, mark
    };
    const Expected expected[] = {
        {9,
         "所得金額",
         5'000'000,
         4'000'000,
         true,
         {"9", "所得金額", "5,000,000", "4,000,000", "+1,000,000", "＊"}},
        {12,
         "社会保険料控除",
         600'000,
         560'000,
         false,
         {"12", "社会保険料控除", "600,000", "560,000", "+40,000", ""}},
        {24, "基礎控除", 380'000, 380'000, false, {"24", "基礎控除", "380,000", "380,000", "0", ""}},
        {33, "災害減免額 外国税額控除", 0, 0, false, {"33", "災害減免額 外国税額控除", "0", "0", "0", ""}},
        {38,
         "申告納税額",
         250'000.5,
         200'000,
         true,
         {"38", "申告納税額", "250,001", "200,000", "+50,001", "＊"}},
        {41, "還付される税金", 0, 35'000, true, {"41", "還付される税金", "0", "35,000", "-35,000", "＊"}},
    };
    for (const Expected& e : expected) {
        const ComparisonRow& row = rowOf(comparison, e.line);
        EXPECT_EQ(row.caption, e.caption);
        EXPECT_EQ(row.thisYear, e.thisYear) << e.line;
        EXPECT_EQ(row.lastYear, e.lastYear) << e.line;
        EXPECT_EQ(row.changed(), e.changed) << e.line;
        std::vector<std::string> cells;
        for (int column = 0; column < kComparisonColumnCount; ++column)
            cells.push_back(comparisonCellText(row, static_cast<ComparisonColumn>(column)));
        EXPECT_EQ(cells, e.cells) << e.line;
    }
}

TEST_F(YearComparisonFixture, AMissingYearLeavesItsColumnEmptyAndSaysSo) {
    struct Case {
        const char* what;
        bool thisIncome, thisTax, lastIncome, lastTax;
        const char* note;
    };
    const Case cases[] = {
        {"no earlier year", true, true, false, false, "前年のデータがありません。"},
        {"nothing this year", false, false, true, true, "今年のデータがありません。"},
        {"earlier income only", true, true, true, false,
         "前年の税額の計算のデータがありません（10〜53 欄）。"},
        {"tax computation only", true, true, false, true, "前年の所得金額のデータがありません（９欄）。"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(fsPath(root.path() + "/所得税/H16所得税"));
        std::filesystem::remove_all(fsPath(root.path() + "/所得税/H14所得税"));
        for (auto [year, income, tax] : {std::tuple{kYearCode, c.thisIncome, c.thisTax},
                                         std::tuple{kPreviousYearCode, c.lastIncome, c.lastTax}}) {
            if (income)
                testing::writeRecordFields(store, 7, 1, 0, 20, {{20, "3000000"}}, year);
            if (tax)
                testing::writeRecordFields(store, 7, 5, 0, 41, {{13, "380000"}}, year);
        }
        const YearComparison comparison = compareYears(store, 7);
        EXPECT_EQ(comparison.notes, std::vector<std::string>{c.note}) << c.what;
        EXPECT_TRUE(comparison.unreadable.empty()) << c.what;
        const ComparisonRow& line9 = rowOf(comparison, 9);
        const ComparisonRow& line24 = rowOf(comparison, 24);
        EXPECT_EQ(line9.thisYear.has_value(), c.thisIncome) << c.what;
        EXPECT_EQ(line9.lastYear.has_value(), c.lastIncome) << c.what;
        EXPECT_EQ(line24.thisYear.has_value(), c.thisTax) << c.what;
        EXPECT_EQ(line24.lastYear.has_value(), c.lastTax) << c.what;
        // An empty column leaves no difference to show and nothing to mark.
        EXPECT_EQ(line9.difference().has_value(), c.thisIncome && c.lastIncome) << c.what;
        EXPECT_EQ(comparisonCellText(line24, ComparisonColumn::difference).empty(), !(c.thisTax && c.lastTax))
            << c.what;
        // Both years hold the same figures where they hold any: were a missing one read as 0, 3,000,000
        // against it would be marked.
        EXPECT_EQ(comparisonCellText(line9, ComparisonColumn::mark), "") << c.what;
    }
}

TEST_F(YearComparisonFixture, AnUnreadableRecordIsNamedAndItsColumnLeftEmpty) {
    storeBothYears();
    root.writeBytes("所得税/H14所得税/75.txt", "380000\r\nabc\r\n");
    const YearComparison comparison = compareYears(store, 7);
    ASSERT_EQ(comparison.unreadable.size(), 1u);
    EXPECT_EQ(comparison.unreadable[0].rfind("前年の税額の計算のファイル「" + root.path() +
                                                 "/所得税/H14所得税/75.txt」を読めません。",
                                             0),
              0u)
        << comparison.unreadable[0];
    EXPECT_TRUE(comparison.notes.empty());
    EXPECT_EQ(rowOf(comparison, 9).lastYear, 4'000'000); // the income record of that year still reads
    EXPECT_EQ(rowOf(comparison, 10).lastYear, std::nullopt);
    EXPECT_EQ(rowOf(comparison, 24).thisYear, 380'000);
}

TEST_F(YearComparisonFixture, AnUnregisteredCodeReadsNothing) {
    storeBothYears();
    const YearComparison comparison = compareYears(store, 8);
    EXPECT_FALSE(comparison.registered);
    EXPECT_TRUE(comparison.rows.empty());
}

TEST_F(YearComparisonFixture, CsvIsCp932WithCrlfAndPlainIntegers) {
    storeBothYears();
    // No earlier line 9: its field and the difference stay empty.
    std::filesystem::remove(fsPath(root.path() + "/所得税/H14所得税/71.txt"));
    const YearComparison comparison = compareYears(store, 7);
    const std::string csv = comparisonCsv(comparison);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n11,")), "行,項目,今年,前年,差額,１割超の増減\r\n"
                                                  "9,所得金額,5000000,,,\r\n"
                                                  "10,雑損控除,0,0,0,");
    EXPECT_NE(csv.find("\r\n41,還付される税金,0,35000,-35000,＊\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n29,,0,0,0,\r\n"), std::string::npos) << csv; // the line without a caption

    const testing::TempRoot outputs; // never in the data folder
    ASSERT_FALSE(writeComparisonCsv(OutputGate(store), outputs.path() + "/前年比較.csv", comparison));
    EXPECT_EQ(outputs.readBytes("前年比較.csv"), encodeCp932(csv).bytes);
    EXPECT_TRUE(outputs.readBytes("前年比較.csv").starts_with(testing::sjis("行,項目,")));
}

TEST(ComparisonReport, FullWidthCharactersTakeTwoColumns) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"", 0}, {"12", 2}, {"所得金額", 8}, {"+1,000,000", 10}, {"＊", 2}, {"ﾔﾏﾀﾞ", 4}, {"髙橋　花子", 10}};
    for (auto [text, width] : cases)
        EXPECT_EQ(displayWidth(text), width) << text;
}

} // namespace
} // namespace kakutei
