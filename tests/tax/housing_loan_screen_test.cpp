#include "tax/housing_loan_screen.h"

#include "sample_taxpayer.h"
#include "screen_fixture.h"

namespace kakutei {
namespace {

using testing::DataScreenFixture;

struct HousingFixture : DataScreenFixture {
    HousingLoanScreen screen{store, ui, host};
    HousingFixture() {
        testing::registerTaxpayer(store, 12, "十二");
        screen.text60.text = "12";
        screen.text100.text = "H16";
        screen.clear();
        screen.data();
    }
    std::vector<std::string> record() const {
        return testing::recordLines(root, "所得税/H16所得税/126住宅.txt");
    }
};

TEST_F(HousingFixture, BothRules) {
    // Periods: 1 H11–H13.6, 2 the H11 transition choice (the older rule), 3 H13.7–H15. Whole hundreds only.
    const std::tuple<std::size_t, const char*, const char*> cases[] = {
        {2, "12,345,678", "123,400"}, {2, "20,000,000", "200,000"}, {2, "20,000,001", "200,000"},
        {2, "25,000,000", "225,000"}, {2, "25,019,999", "225,000"}, {2, "25,020,000", "225,100"},
        {2, "30,000,000", "250,000"}, {2, "30,000,001", "250,000"}, {1, "12,345,678", "123,400"},
        {1, "12,349,999", "123,400"}, {1, "12,350,000", "123,500"}, {1, "9,999", ""},
        {1, "50,000,000", "500,000"}, {1, "60,000,000", "500,000"}, {3, "60,000,000", "500,000"},
    };
    for (const auto& [period, balance, credit] : cases) {
        screen.balance.text = balance;
        screen.calculatePeriod(period);
        EXPECT_EQ(screen.results[period].text, credit) << period << " " << balance;
        EXPECT_EQ(host.writes.back(), (std::pair<std::string, std::string>{"line30", credit}));
    }
    EXPECT_TRUE(ui.callsOf("warn").empty());
}

// No credit at all, and the button says why: a move-in of H9 or H10 (by the period or the date typed) had
// its six years by H15, and a total income above 30,000,000 gives none.
TEST_F(HousingFixture, NoCreditForAnEndedPeriodOrAnIncomeAboveTheLimit) {
    const struct {
        std::size_t period;
        const char* year;
        const char* totalIncome;
        const char* credit;
        const char* why; // part of the message; none when a credit is given
    } cases[] = {
        {0, "10", "0", "", "平成15年分で終わっています"}, {0, "", "0", "", "平成15年分で終わっています"},
        {1, "10", "0", "", "平成15年分で終わっています"}, // the date decides, whichever button
        {3, "9", "0", "", "平成15年分で終わっています"},  {2, "11", "0", "250,000", nullptr},
        {1, "11", "30000000", "300,000", nullptr},        {1, "11", "30000001", "", "30,000,000 を超える"},
        {3, "14", "29999999", "300,000", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.period) + " H" + c.year + " " + c.totalIncome);
        testing::writeRecordFields(store, 12, 1, 0, 20, {{20, c.totalIncome}});
        ui.calls.clear();
        screen.year.text = c.year;
        screen.balance.text = "30,000,000";
        screen.calculatePeriod(c.period);
        EXPECT_EQ(screen.results[c.period].text, c.credit);
        EXPECT_EQ(host.writes.back(), (std::pair<std::string, std::string>{"line30", c.credit}));
        const auto warnings = ui.callsOf("warn");
        ASSERT_EQ(warnings.size(), c.why ? 1u : 0u);
        const std::string body = warnings.empty() ? "" : warnings[0].body;
        EXPECT_NE(body.find(c.why ? c.why : ""), std::string::npos) << body;
    }
}

TEST_F(HousingFixture, OnlyTheLastPeriodKeepsItsResult) {
    screen.year.text = "14";
    screen.month.text = "3";
    screen.balance.text = "30,000,000";
    screen.calculatePeriod(3);
    screen.calculatePeriod(2);
    EXPECT_EQ(screen.results[2].text, "250,000");
    EXPECT_EQ(screen.results[3].text, "");
    EXPECT_EQ(screen.year.text, "14");
    EXPECT_EQ(screen.day.text, "0"); // a plain number, 0 shown as 0
    const auto lines = record();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "14");
    EXPECT_EQ(lines[2], "0");
    EXPECT_EQ(lines[3], "30000000");
    EXPECT_EQ(lines[6], "250000");
    EXPECT_EQ(lines[7], "0");
    EXPECT_EQ(lines[8], "\"予備1\"");
    screen.clear();
    screen.data();
    EXPECT_EQ(screen.day.text, ""); // after DATA a zero date part is empty
    EXPECT_EQ(screen.results[2].text, "250,000");
}

TEST_F(HousingFixture, SaveWritesMemoryNotTheScreen) {
    screen.balance.text = "10,000,000";
    screen.calculatePeriod(1);
    screen.balance.text = "99,999,999";
    screen.save();
    EXPECT_EQ(record()[3], "10000000");
}

TEST_F(HousingFixture, SilentFailures) {
    screen.text60.text = "3277";
    screen.balance.text = "1";
    screen.calculatePeriod(0);
    EXPECT_TRUE(ui.calls.empty());
    screen.text60.text = "12";
    screen.data(); // no record: nothing shown
    EXPECT_EQ(screen.results[0].text, "");
}

} // namespace
} // namespace kakutei
