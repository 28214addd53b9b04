#include "income/actual_amount_screen.h"

#include "fake_screen_host.h"
#include "fake_user_interface.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

using testing::FakeScreenHost;
using testing::FakeUserInterface;

struct ActualAmountFixture : ::testing::Test {
    FakeUserInterface ui;
    FakeScreenHost host;
    ActualAmountScreen screen{ui, host};
};

TEST_F(ActualAmountFixture, DifferenceGoesToIncomeSix) {
    struct Case {
        const char* revenue;
        const char* expenses;
        const char* income;
    } cases[] = {
        {"5,000,000", "1,200,000", "3,800,000"},
        {"1,000,000", "1,500,000", "-500,000"}, // no lower limit
        {"1,000", "1,000", ""},
        {"2.5", "", "2"}, // 32-bit: half to even
        {"abc", "100", "-100"},
    };
    for (const Case& c : cases) {
        host.writes.clear();
        screen.revenue.text = c.revenue;
        screen.expenses.text = c.expenses;
        screen.calculate();
        EXPECT_EQ(screen.income.text, c.income) << c.revenue << " - " << c.expenses;
        screen.confirm();
        ASSERT_EQ(host.writes.size(), 1u);
        EXPECT_EQ(host.writes[0], (std::pair<std::string, std::string>{"salaryIncome", c.income}));
    }
}

// A difference beyond 32 bits is refused with a message, never shown or handed over as 0.
TEST_F(ActualAmountFixture, ADifferenceBeyond32BitsIsRefused) {
    screen.revenue.text = "300";
    screen.expenses.text = "100";
    screen.calculate();
    screen.revenue.text = "2,147,483,647";
    screen.expenses.text = "-1";
    screen.calculate();
    const auto warnings = ui.callsOf("warn");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings.at(0).title, "計算できません");
    EXPECT_NE(warnings.at(0).body.find("所得金額"), std::string::npos);
    EXPECT_EQ(screen.income.text, "200");
    screen.confirm();
    EXPECT_EQ(host.writes.back().second, "200");
}

TEST_F(ActualAmountFixture, ConfirmHandsOverTheLastDifferenceAndReturns) {
    screen.confirm(); // nothing computed yet: 0, which empties income 6
    EXPECT_EQ(host.writes.back().second, "");
    screen.revenue.text = "300";
    screen.expenses.text = "100";
    screen.calculate();
    screen.clear(); // the screen empties, the value in memory stays
    EXPECT_EQ(screen.income.text, "");
    screen.confirm();
    EXPECT_EQ(host.writes.back().second, "200");
    const auto hidden = ui.callsOf("hide");
    const auto shown = ui.callsOf("show");
    ASSERT_FALSE(hidden.empty());
    EXPECT_EQ(hidden.back().screen, ScreenId::actualAmount);
    EXPECT_EQ(shown.back().screen, ScreenId::income);
}

// The income screen opens it for its taxpayer: for another one than before it starts empty, in memory too,
// and what it hands over is that taxpayer's.
TEST_F(ActualAmountFixture, OpenedForAnotherTaxpayerItStartsEmpty) {
    screen.takeTaxpayer("1");
    screen.revenue.text = "5,000,000";
    screen.expenses.text = "2,000,000";
    screen.calculate();
    screen.takeTaxpayer("1");
    EXPECT_EQ(screen.expenses.text, "2,000,000");

    screen.takeTaxpayer("2");
    EXPECT_EQ(screen.text60.text, "2");
    for (const Field* field : {&screen.revenue, &screen.expenses, &screen.income})
        EXPECT_EQ(field->text, "");
    screen.confirm();
    EXPECT_EQ(host.writes.back(), (std::pair<std::string, std::string>{"salaryIncome", ""}));
    EXPECT_EQ(host.sources.back().code, "2");
}

} // namespace
} // namespace kakutei
