#include "core/data_screen.h"
#include "core/taxpayer_record.h"
#include "deductions/deductions_screen.h"
#include "deductions/personal_deductions_screen.h"
#include "income/actual_amount_screen.h"
#include "income/income_breakdown_screen.h"
#include "income/income_screen.h"
#include "tax/dividend_credit_screen.h"
#include "tax/housing_loan_screen.h"
#include "tax/tax_computation_screen.h"

#include "sample_taxpayer.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace kakutei {
namespace {

struct WindowTitles : testing::WindowFixture {
    void SetUp() override {
        registerTaxpayer(7, "試験太郎");
        registerTaxpayer(120, "山田花子");
    }
    void registerTaxpayer(PersonCode code, const char* name) {
        TaxpayerRecord record = testing::sampleRecord();
        record.personCode = code;
        record.name = name;
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
    }
    void callUp(const char* code) {
        app.mainMenu().text3.text = code;
        press(&MainMenu::callUp);
    }
    void click(ScreenId id, std::string_view caption) {
        QPushButton* button = captioned<QPushButton>(id, caption);
        ASSERT_NE(button, nullptr) << caption;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Every data window, opened the way a user opens it.
    void openEveryDataWindow() {
        press(&MainMenu::deductions1);
        press(&MainMenu::deductions2);
        press(&MainMenu::taxCredits);
        click(ScreenId::income, income_screen::kActualAmount);
        press(&MainMenu::taxComputation);
        click(ScreenId::taxComputation, tax_computation::kDividendCredit);
        click(ScreenId::taxComputation, tax_computation::kHousingLoan);
    }
    std::string title(ScreenId id) { return utf8(window(id).windowTitle()); }
};

struct TitledWindow {
    ScreenId id;
    std::string_view caption;
};
const TitledWindow kDataWindows[] = {
    {ScreenId::income, income_screen::kCaption},
    {ScreenId::deductions1, deductions1::kCaption},
    {ScreenId::personalDeductions, personal_deductions::kCaption},
    {ScreenId::incomeBreakdown, income_breakdown::kCaption},
    {ScreenId::taxComputation, tax_computation::kCaption},
    {ScreenId::actualAmount, actual_amount::kCaption},
    {ScreenId::dividendCredit, dividend_credit::kCaption},
    {ScreenId::housingLoan, housing_loan::kCaption},
};

TEST_F(WindowTitles, EveryDataWindowShowsWhoseReturnItIs) {
    callUp("7");
    openEveryDataWindow();
    for (const TitledWindow& w : kDataWindows) {
        ASSERT_TRUE(window(w.id).isVisible()) << w.caption;
        EXPECT_EQ(title(w.id), std::string(w.caption) + "　07 試験太郎");
    }
}

// The windows reloaded by the call-up name the new taxpayer; the sub-windows that held the previous one's
// figures close, and opened again from the new taxpayer's screens they name him.
TEST_F(WindowTitles, TheTitleFollowsTheNextCallUp) {
    callUp("7");
    openEveryDataWindow();
    callUp("120");
    for (const TitledWindow& w : kDataWindows) {
        const bool sub = w.id == ScreenId::actualAmount || w.id == ScreenId::dividendCredit ||
                         w.id == ScreenId::housingLoan;
        if (sub)
            EXPECT_FALSE(window(w.id).isVisible()) << w.caption;
        else
            EXPECT_EQ(title(w.id), std::string(w.caption) + "　120 山田花子");
    }
    openEveryDataWindow();
    for (const TitledWindow& w : kDataWindows)
        EXPECT_EQ(title(w.id), std::string(w.caption) + "　120 山田花子");
}

TEST_F(WindowTitles, CodesWithoutARecordOrWithoutANumber) {
    callUp("7");
    DataScreen& income = *app.screen(ScreenId::income);
    const std::string caption(income_screen::kCaption);
    struct Case {
        const char* text60;
        std::string title;
    } cases[] = {
        {"99", caption + "　99"}, // no record: the code alone
        {"１２０", caption + "　120 山田花子"},
        {"", caption},
        {"abc", caption},
    };
    for (const Case& c : cases) {
        income.text60.text = c.text60;
        windows.refreshVisible();
        EXPECT_EQ(title(ScreenId::income), c.title) << c.text60;
    }
}

// The record is read when the code changes, not at every refresh (and a refresh follows every button).
TEST_F(WindowTitles, TheNameIsReadOnlyWhenTheCodeChangesOrTheWindowOpensAgain) {
    callUp("7");
    const std::string before = title(ScreenId::income);
    registerTaxpayer(7, "改名太郎");
    QTest::keyClicks(child<QLineEdit>(ScreenId::income, "revenue1"), "1000");
    click(ScreenId::income, income_screen::kClear);
    EXPECT_EQ(title(ScreenId::income), before);
    window(ScreenId::income).hide();
    press(&MainMenu::income);
    EXPECT_EQ(title(ScreenId::income), std::string(income_screen::kCaption) + "　07 改名太郎");
}

} // namespace
} // namespace kakutei
