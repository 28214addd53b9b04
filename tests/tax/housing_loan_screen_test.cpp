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
    const std::tuple<std::size_t, const char*, const char*> cases[] = {
        {0, "12,345,678", "123,456"}, {0, "20,000,000", "200,000"}, {0, "20,000,001", "200,000"},
        {0, "25,000,000", "225,000"}, {0, "30,000,000", "250,000"}, {0, "30,000,001", "250,000"},
        {2, "25,000,000", "225,000"}, {1, "12,345,678", "123,456"}, {1, "50,000,000", "500,000"},
        {1, "60,000,000", "500,000"}, {3, "60,000,000", "500,000"},
    };
    for (const auto& [period, balance, credit] : cases) {
        screen.balance.text = balance;
        screen.calculatePeriod(period);
        EXPECT_EQ(screen.results[period].text, credit) << period << " " << balance;
        EXPECT_EQ(host.writes.back(), (std::pair<std::string, std::string>{"line30", credit}));
    }
}

TEST_F(HousingFixture, OnlyTheLastPeriodKeepsItsResult) {
    screen.year.text = "14";
    screen.month.text = "3";
    screen.balance.text = "30,000,000";
    screen.calculatePeriod(3);
    screen.calculatePeriod(0);
    EXPECT_EQ(screen.results[0].text, "250,000");
    EXPECT_EQ(screen.results[3].text, "");
    EXPECT_EQ(screen.year.text, "14");
    EXPECT_EQ(screen.day.text, "0"); // a plain number, 0 shown as 0
    const auto lines = record();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "14");
    EXPECT_EQ(lines[2], "0");
    EXPECT_EQ(lines[3], "30000000");
    EXPECT_EQ(lines[4], "250000");
    EXPECT_EQ(lines[7], "0");
    EXPECT_EQ(lines[8], "\"予備1\"");
    screen.clear();
    screen.data();
    EXPECT_EQ(screen.day.text, ""); // after DATA a zero date part is empty
    EXPECT_EQ(screen.results[0].text, "250,000");
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
