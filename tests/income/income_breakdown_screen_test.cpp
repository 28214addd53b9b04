#include "core/path_text.h"
#include "income/income_breakdown_screen.h"

#include "screen_fixture.h"

namespace kakutei {
namespace {

namespace ib = income_breakdown;
using testing::DataScreenFixture;

struct BreakdownFixture : DataScreenFixture {
    IncomeBreakdownScreen screen{store, ui, host};
    BreakdownFixture() { openForSeven(screen); }
};

TEST_F(BreakdownFixture, TotalsTheTaxWithheldOnly) {
    screen.withholding[0].revenue.text = "9,999,999";
    screen.withholding[0].tax.text = "10,210";
    screen.withholding[2].tax.text = "5,105";
    screen.withholding[5].revenue.text = "123";
    screen.calculate();
    EXPECT_EQ(screen.total.text, "15,315");
    const auto lines = storedLines(4);
    ASSERT_EQ(lines.size(), 77u);
    EXPECT_EQ(lines[40], "9999999");
    EXPECT_EQ(lines[41], "10210");
    EXPECT_EQ(lines[45], "5105");
    EXPECT_EQ(lines[52], "15315");
    EXPECT_EQ(host.writes.back(), (std::pair<std::string, std::string>{"line37", "15,315"}));
    EXPECT_EQ(host.lineColours[37], colours::black);
}

TEST_F(BreakdownFixture, DetailNetAmountsMayBeNegative) {
    screen.details[1].revenue.text = "100,000";
    screen.details[1].expenses.text = "150,000";
    screen.details[3].revenue.text = "80,000";
    screen.calculate();
    EXPECT_EQ(screen.details[1].net.text, "-50,000");
    EXPECT_EQ(screen.details[3].net.text, "80,000");
    const auto lines = storedLines(4);
    EXPECT_EQ(lines[58], "-50000");
    EXPECT_EQ(lines[64], "80000");
}

// Net amounts and the withholding total that leave 32 bits are refused with a message; nothing is stored.
TEST_F(BreakdownFixture, AmountsBeyond32BitsAreRefused) {
    struct Case {
        int row;
        const char* revenue;
        const char* expenses;
        const char* taxes; // typed into every withholding row
        const char* line;  // named in the message
    } cases[] = {
        {1, "2,147,483,647", "-1", "", "配当所得等に関する事項 2 行目 の所得金額"},
        {0, "-2,147,483,648", "1", "", "配当所得等に関する事項 1 行目 の所得金額"},
        {0, "", "", "1,000,000,000", "源泉徴収税額の合計"},
    };
    for (const Case& c : cases) {
        ui.calls.clear();
        screen.clear();
        screen.details[c.row].revenue.text = c.revenue;
        screen.details[c.row].expenses.text = c.expenses;
        for (auto& row : screen.withholding)
            row.tax.text = c.taxes;
        screen.calculate();
        const auto warnings = ui.callsOf("warn");
        ASSERT_EQ(warnings.size(), 1u) << c.line;
        EXPECT_EQ(warnings.at(0).title, "計算できません");
        EXPECT_NE(warnings.at(0).body.find(c.line), std::string::npos) << warnings.at(0).body;
        EXPECT_FALSE(stored(4)) << c.line;
    }
    screen.clear();
    screen.details[1].revenue.text = "2,147,483,647";
    screen.details[1].expenses.text = "0";
    screen.calculate();
    EXPECT_EQ(storedLines(4).at(58), "2147483647"); // at the edge it still fits
}

TEST_F(BreakdownFixture, RecordLayoutKindsPlacesAndFillers) {
    screen.withholding[0].kind.text = "給　与";
    screen.withholding[0].note.text = "free line";
    screen.withholding[0].place1.text = "株式会社髙橋";
    screen.withholding[0].place2.text = "東京都";
    screen.details[0].kind.text = "一　時";
    screen.details[0].place1.text = "生命保険";
    screen.details[3].place2.text = "末行";
    screen.calculate();
    const auto lines = storedLines(4);
    EXPECT_EQ(lines[0], "\"給　与\"");
    EXPECT_EQ(lines[1], "\"株式会社髙橋\"");
    EXPECT_EQ(lines[2], "\"東京都\"");
    EXPECT_EQ(lines[3], "\"種  類\""); // left at the placeholder
    EXPECT_EQ(lines[18], "\"一　時\"");
    EXPECT_EQ(lines[19], "\"生命保険\"");
    EXPECT_EQ(lines[29], "\"末行\"");
    for (int i = 30; i < 40; ++i)
        EXPECT_EQ(lines[i], "\"\"") << i;
    EXPECT_EQ(lines[65], "\"予備1\"");
    EXPECT_EQ(lines[76], "\"予備12\"");
    EXPECT_EQ(screen.withholding[0].note.text, ""); // the free line is gone
    EXPECT_EQ(screen.withholding[0].kind.text, "給　与");
    EXPECT_EQ(screen.withholding[1].kind.text, "種  類");
}

TEST_F(BreakdownFixture, ClearEmptiesTheTaxScreensLineAndDataPutsItBack) {
    screen.withholding[0].tax.text = "1,000";
    screen.calculate();
    host.writes.clear();
    screen.clear();
    EXPECT_EQ(host.writes, (std::vector<std::pair<std::string, std::string>>{{"line37", ""}}));
    for (const auto& row : screen.withholding)
        EXPECT_EQ(row.kind.text, "種  類");
    EXPECT_EQ(screen.total.text, "");
    screen.data();
    EXPECT_EQ(host.writes.back().second, "1,000");
    EXPECT_EQ(screen.total.text, "1,000");
}

TEST_F(BreakdownFixture, PreviousYearShowsRedEverywhere) {
    std::vector<std::string> lines(40, "\"\"");
    lines[0] = "\"利　子\"";
    for (int i = 0; i < 25; ++i)
        lines.push_back(i == 12 ? "777" : "0");
    writeScreenFile(4, lines, kPreviousYearCode);
    screen.previousYearData();
    EXPECT_EQ(screen.withholding[0].kind.text, "利　子");
    EXPECT_EQ(screen.withholding[0].kind.colour, colours::red);
    EXPECT_EQ(screen.total.text, "777");
    EXPECT_EQ(screen.total.colour, colours::red);
    EXPECT_EQ(host.lineColours[37], colours::red);
    EXPECT_FALSE(stored(4));
}

TEST_F(BreakdownFixture, DamagedRecordsLoadNothing) {
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{"\"a\""},
          std::vector<std::string>(65, "\"text where a number stands\"")}) {
        writeScreenFile(4, lines);
        screen.clear();
        host.writes.clear();
        screen.data();
        EXPECT_EQ(screen.withholding[0].kind.text, "種  類");
        EXPECT_TRUE(host.writes.empty());
    }
}

TEST_F(BreakdownFixture, SaveFailureAndEnd) {
    std::filesystem::remove_all(fsPath(root.path() + "/所得税/H16所得税"));
    screen.calculate();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_EQ(ui.calls[0].title, "まず、個人登録を行って下さい。個人登録がないと実行できません。");
    ui.calls.clear();
    screen.end();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"beep", "quit"}));
}

} // namespace
} // namespace kakutei
