#include "income/income_breakdown_screen.h"
#include "income/income_screen.h"

#include "sample_taxpayer.h"
#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kakutei {
namespace {

struct IncomeWindowsFixture : testing::WindowFixture {
    void SetUp() override { callUpSeven(); }
    QLineEdit* box(ScreenId id, const char* name) { return child<QLineEdit>(id, name); }
    QPushButton* button(ScreenId id, std::string_view caption, int which = 0) {
        return captioned<QPushButton>(id, caption, which);
    }
    void enter(QLineEdit* edit, const char* text) {
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

TEST_F(IncomeWindowsFixture, EnterGoesRowByRowAndTheCalculationShowsTheTotal) {
    QWidget& income = window(ScreenId::income);
    ASSERT_TRUE(income.isVisible());
    EXPECT_EQ(income.windowTitle(), "収入金額等・所得金額　07 山田　太郎");
    box(ScreenId::income, "revenue1")->setFocus();
    enter(box(ScreenId::income, "revenue1"), "5000000");
    EXPECT_EQ(income.focusWidget(), box(ScreenId::income, "income1"));
    enter(box(ScreenId::income, "income1"), "3200000");
    EXPECT_EQ(income.focusWidget(), box(ScreenId::income, "revenue2"));
    QTest::mouseClick(button(ScreenId::income, income_screen::kCalculate), Qt::LeftButton);
    EXPECT_EQ(box(ScreenId::income, "revenue1")->text(), "5,000,000");
    EXPECT_EQ(box(ScreenId::income, "total")->text(), "3,200,000");
    EXPECT_TRUE(box(ScreenId::income, "total")->isReadOnly());
}

TEST_F(IncomeWindowsFixture, EnterFromTheLastBoxReachesAndPressesCalculate) {
    QWidget& income = window(ScreenId::income);
    box(ScreenId::income, "revenue11")->setFocus();
    enter(box(ScreenId::income, "revenue11"), "1000000");
    EXPECT_EQ(income.focusWidget(), box(ScreenId::income, "income8"));
    enter(box(ScreenId::income, "income8"), "250000");
    ASSERT_EQ(income.focusWidget(), button(ScreenId::income, income_screen::kCalculate));
    QTest::keyClick(income.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(box(ScreenId::income, "total")->text(), "250,000");
}

TEST_F(IncomeWindowsFixture, ActualAmountWindowHandsItsResultBack) {
    box(ScreenId::income, "revenue6")->setText("");
    QTest::keyClicks(box(ScreenId::income, "revenue6"), "5000000");
    QTest::mouseClick(button(ScreenId::income, income_screen::kActualAmount), Qt::LeftButton);
    QWidget& actual = window(ScreenId::actualAmount);
    ASSERT_TRUE(actual.isVisible());
    EXPECT_EQ(actual.windowTitle(), "給与等の実額計算　07 山田　太郎");
    EXPECT_EQ(actual.findChild<QLineEdit*>("revenue")->text(), "5,000,000");
    QTest::keyClicks(actual.findChild<QLineEdit*>("expenses"), "1200000");
    QTest::mouseClick(button(ScreenId::actualAmount, "実額計算実行"), Qt::LeftButton);
    EXPECT_EQ(actual.findChild<QLineEdit*>("income")->text(), "3,800,000");
    QTest::mouseClick(button(ScreenId::actualAmount, "確認実行"), Qt::LeftButton);
    EXPECT_FALSE(actual.isVisible());
    EXPECT_EQ(box(ScreenId::income, "income6")->text(), "3,800,000");
}

// Its title names the taxpayer whose figures it holds, whoever the income screen holds meanwhile.
TEST_F(IncomeWindowsFixture, ActualAmountWindowIsTitledByItsOwnTaxpayer) {
    QTest::mouseClick(button(ScreenId::income, income_screen::kActualAmount), Qt::LeftButton);
    QWidget& actual = window(ScreenId::actualAmount);
    app.screen(ScreenId::income)->text60.text = "8";
    QTest::mouseClick(button(ScreenId::actualAmount, "実額計算実行"), Qt::LeftButton);
    EXPECT_EQ(actual.windowTitle(), "給与等の実額計算　07 山田　太郎");
}

TEST_F(IncomeWindowsFixture, SalaryAutomaticButton) {
    QTest::keyClicks(box(ScreenId::income, "revenue6"), "6600001");
    QTest::mouseClick(button(ScreenId::income, income_screen::kAutomatic, 0), Qt::LeftButton);
    EXPECT_EQ(box(ScreenId::income, "income6")->text(), "4,740,001");
}

TEST_F(IncomeWindowsFixture, BreakdownKindsAndTotal) {
    app.mainMenu().taxCredits();
    windows.refreshVisible();
    QWidget& breakdown = window(ScreenId::incomeBreakdown);
    ASSERT_TRUE(breakdown.isVisible());
    auto* kind = breakdown.findChild<QComboBox*>("kind1");
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->currentText(), "種  類");
    EXPECT_EQ(kind->count(), 6);
    kind->activated(2);
    EXPECT_EQ(app.screenAs<IncomeBreakdownScreen>(ScreenId::incomeBreakdown)->withholding[0].kind.text,
              "給　与");
    QTest::keyClicks(breakdown.findChild<QLineEdit*>("tax1"), "10210");
    QTest::keyClicks(breakdown.findChild<QLineEdit*>("tax3"), "5105");
    QTest::mouseClick(button(ScreenId::incomeBreakdown, "計算実行"), Qt::LeftButton);
    EXPECT_EQ(breakdown.findChild<QLineEdit*>("total")->text(), "15,315");
    EXPECT_EQ(kind->currentText(), "給　与");
}

} // namespace
} // namespace kakutei
