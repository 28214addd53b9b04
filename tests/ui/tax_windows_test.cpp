#include "core/taxpayer_record.h"
#include "tax/dividend_credit_screen.h"
#include "tax/tax_computation_screen.h"

#include "screen_fixture.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace kakutei {
namespace {

struct TaxWindowsFixture : testing::WindowFixture {
    void SetUp() override {
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "七";
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
        testing::writeRecordFields(store, 7, 1, 0, 20, {{12, "5000000"}, {20, "5000000"}});
        testing::writeRecordFields(store, 7, 2, 13, 25, {});
        testing::writeRecordFields(store, 7, 3, 47, 17, {});
        testing::writeRecordFields(store, 7, 4, 40, 25, {{19, "\"配　当\""}, {56, "100000"}});
        app.mainMenu().text3.text = "7";
        press(&MainMenu::callUp);
        press(&MainMenu::taxComputation);
    }
    QLineEdit* line(int number) {
        return child<QLineEdit>(ScreenId::taxComputation, ("line" + std::to_string(number)).c_str());
    }
};

TEST_F(TaxWindowsFixture, TheMenuGathersAndTheUserSeesTheTax) {
    QWidget& form = window(ScreenId::taxComputation);
    ASSERT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "税額の計算　07 七");
    // 5,000,000 − basic 380,000 = 4,620,000 → 924,000 − 330,000 = 594,000; reduction 118,800 → 475,200.
    EXPECT_EQ(line(9)->text(), "5,000,000");
    EXPECT_EQ(line(24)->text(), "380,000");
    EXPECT_EQ(line(27)->text(), "594,000");
    EXPECT_EQ(line(40)->text(), "475,200");
}

TEST_F(TaxWindowsFixture, EnterVisitsTheInputLinesThenCalculates) {
    QWidget& form = window(ScreenId::taxComputation);
    line(28)->setFocus();
    QTest::keyClick(line(28), Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), line(29));
    QTest::keyClick(line(29), Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), line(30)); // lines 32 and 35 to 38 are results
    line(39)->setFocus();
    QTest::keyClicks(line(39), "75200");
    QTest::keyClick(line(39), Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), line(44));
    line(53)->setFocus();
    QTest::keyClick(line(53), Qt::Key_Return);
    ASSERT_EQ(form.focusWidget(), captioned<QPushButton>(ScreenId::taxComputation, "計算実行"));
    QTest::keyClick(form.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(line(40)->text(), "400,000");
}

TEST_F(TaxWindowsFixture, DividendCreditRoundTrip) {
    QTest::mouseClick(captioned<QPushButton>(ScreenId::taxComputation, "配当控除"), Qt::LeftButton);
    QWidget& dividend = window(ScreenId::dividendCredit);
    ASSERT_TRUE(dividend.isVisible());
    EXPECT_EQ(dividend.findChild<QLineEdit*>("dividends")->text(), "100,000");
    EXPECT_EQ(dividend.findChild<QLineEdit*>("credit")->text(), "10,000");
    QTest::mouseClick(captioned<QPushButton>(ScreenId::dividendCredit, "確　　　認"), Qt::LeftButton);
    EXPECT_FALSE(dividend.isVisible());
    EXPECT_EQ(app.dividendCredit(), nullptr);
    EXPECT_EQ(line(28)->text(), "10,000");
    QTest::mouseClick(captioned<QPushButton>(ScreenId::taxComputation, "計算実行"), Qt::LeftButton);
    EXPECT_EQ(line(32)->text(), "584,000");
}

// Its title names the taxpayer whose figures it holds, whoever the tax computation screen holds meanwhile.
TEST_F(TaxWindowsFixture, DividendCreditWindowIsTitledByItsOwnTaxpayer) {
    QTest::mouseClick(captioned<QPushButton>(ScreenId::taxComputation, "配当控除"), Qt::LeftButton);
    QWidget& dividend = window(ScreenId::dividendCredit);
    EXPECT_EQ(dividend.windowTitle(), "配当控除　07 七");
    app.screen(ScreenId::taxComputation)->text60.text = "8";
    QTest::mouseClick(captioned<QPushButton>(ScreenId::dividendCredit, "計算実行"), Qt::LeftButton);
    EXPECT_EQ(dividend.windowTitle(), "配当控除　07 七");
}

TEST_F(TaxWindowsFixture, HousingLoanPeriodFillsLineThirty) {
    QTest::mouseClick(captioned<QPushButton>(ScreenId::taxComputation, "住宅借入金等控除"), Qt::LeftButton);
    QWidget& housing = window(ScreenId::housingLoan);
    ASSERT_TRUE(housing.isVisible());
    QTest::keyClicks(housing.findChild<QLineEdit*>("balance"), "25000000");
    QTest::mouseClick(captioned<QPushButton>(ScreenId::housingLoan, "H11.01.01～H11.03.31の経過措置選択の方"),
                      Qt::LeftButton);
    EXPECT_EQ(housing.findChild<QLineEdit*>("result3")->text(), "225,000");
    EXPECT_EQ(line(30)->text(), "225,000");
    EXPECT_TRUE(std::filesystem::exists(root.path() + "/所得税/H16所得税/76住宅.txt"));
}

} // namespace
} // namespace kakutei
