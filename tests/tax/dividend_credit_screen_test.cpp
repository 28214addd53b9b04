#include "tax/dividend_credit_screen.h"

#include "fake_screen_host.h"
#include "fake_user_interface.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

using testing::FakeScreenHost;
using testing::FakeUserInterface;

struct DividendFixture : ::testing::Test {
    FakeUserInterface ui;
    FakeScreenHost host;
    DividendCreditScreen screen{ui, host};
};

TEST_F(DividendFixture, CreditAroundTenMillion) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"10,000,000", "500,000", "50,000"},
        {"10,200,000", "500,000", "40,000"},
        {"12,000,000", "500,000", "25,000"},
        {"10,300,000", "300,001", "15,000"},
        {"5,000,000", "12,345", "1,234"},
        {"", "abc", ""},
        // A dividend loss gives no credit, never a negative one that would add to the tax.
        {"5,000,000", "-1", ""},
        {"5,000,000", "-100,000", ""},
        {"12,000,000", "-500,000", ""},
        {"5,000,000", "10", "1"},
        // A taxable income beyond 32 bits keeps its 5 % rate: e = 2,990,000,000 ≥ the dividends.
        {"3,000,000,000", "1,000,000", "50,000"},
    };
    for (const auto& [taxable, dividends, credit] : cases) {
        screen.taxableIncome.text = taxable;
        screen.dividends.text = dividends;
        screen.calculate();
        EXPECT_EQ(screen.credit.text, credit) << taxable << " " << dividends;
        EXPECT_EQ(screen.taxableIncome.text, taxable); // A is not reformatted
    }
}

TEST_F(DividendFixture, ACreditBeyond32BitsIsRefused) {
    screen.taxableIncome.text = "5,000,000";
    screen.dividends.text = "100,000";
    screen.calculate();
    screen.dividends.text = "30,000,000,000"; // 10 % is 3,000,000,000
    screen.calculate();
    const auto warnings = ui.callsOf("warn");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings.at(0).title, "計算できません");
    EXPECT_EQ(screen.credit.text, "10,000");
    screen.confirm();
    EXPECT_EQ(host.writes.back(), (std::pair<std::string, std::string>{"line28", "10,000"}));
}

TEST_F(DividendFixture, ConfirmWritesLineTwentyEightAndDiscards) {
    screen.taxableIncome.text = "5000000";
    screen.dividends.text = "100000";
    screen.calculate();
    EXPECT_EQ(screen.dividends.text, "100,000");
    screen.confirm();
    EXPECT_EQ(host.writes.back(), (std::pair<std::string, std::string>{"line28", "10,000"}));
    EXPECT_EQ(host.calls.back(), (std::pair<std::string, ScreenId>{"discard", ScreenId::dividendCredit}));
    EXPECT_EQ(ui.callsOf("show").back().screen, ScreenId::taxComputation);
}

TEST_F(DividendFixture, CloseOnlyHides) {
    screen.dividends.text = "7";
    screen.close();
    EXPECT_EQ(ui.callsOf("hide").back().screen, ScreenId::dividendCredit);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(screen.dividends.text, "7");
}

} // namespace
} // namespace kakutei
