#include "deductions/deductions_screen.h"
#include "deductions/personal_deductions_screen.h"

#include "ui/window_program.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kakutei {
namespace {

struct DeductionsWindowsFixture : testing::WindowFixture {
    void SetUp() override { callUpSeven(); }
    void open(void (MainMenu::*button)()) { press(button); }
};

TEST_F(DeductionsWindowsFixture, Form4FromTheLastBoxToCalculate) {
    open(&MainMenu::deductions1);
    QWidget& form = window(ScreenId::deductions1);
    ASSERT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "医療費控除 / 社会保険料等　07 山田　太郎");
    auto* cause = child<QLineEdit>(ScreenId::deductions1, "lossCause");
    cause->setFocus();
    QTest::keyClick(cause, Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), child<QLineEdit>(ScreenId::deductions1, "lossDate"));
    auto* general = child<QLineEdit>(ScreenId::deductions1, "lifeGeneral");
    QTest::keyClicks(general, "50000");
    auto* last = child<QLineEdit>(ScreenId::deductions1, "directNonLife");
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    ASSERT_EQ(form.focusWidget(), captioned<QPushButton>(ScreenId::deductions1, "計算実行"));
    QTest::keyClick(form.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(child<QLineEdit>(ScreenId::deductions1, "lifeResult")->text(), "37,500");
}

// Widths of text are measured in the program's own font.
struct DeductionsInProgramFont : DeductionsWindowsFixture {
    static void SetUpTestSuite() { setUpJapanese(*qApp); }
};

TEST_F(DeductionsInProgramFont, Form4KindBoxesShowALongKindWhole) {
    open(&MainMenu::deductions1);
    auto& screen = *app.screenAs<DeductionsScreen>(ScreenId::deductions1);
    const QString kind = QStringLiteral("健康保険・厚生年金");
    for (auto& field : screen.socialKinds)
        field.text = utf8(kind);
    for (auto& field : screen.mutualKinds)
        field.text = utf8(kind);
    windows.refreshVisible();
    for (const char* name :
         {"socialKind1", "socialKind2", "socialKind3", "mutualKind1", "mutualKind2", "mutualKind3"}) {
        auto* box = child<QLineEdit>(ScreenId::deductions1, name);
        ASSERT_NE(box, nullptr) << name;
        ASSERT_EQ(box->text(), kind) << name;
        // The text starts where the cursor stands before it, and needs as much room again at the right.
        box->setCursorPosition(0);
        const int margin = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        EXPECT_LE(margin + box->fontMetrics().horizontalAdvance(kind) + margin, box->width()) << name;
    }
}

TEST_F(DeductionsWindowsFixture, Form5OptionsChecksAndEras) {
    open(&MainMenu::deductions2);
    QWidget& form = window(ScreenId::personalDeductions);
    ASSERT_TRUE(form.isVisible());
    auto& screen = *app.screenAs<PersonalDeductionsScreen>(ScreenId::personalDeductions);
    QTest::mouseClick(captioned<QRadioButton>(ScreenId::personalDeductions, "寡婦（寡夫）控除"),
                      Qt::LeftButton);
    QTest::mouseClick(captioned<QRadioButton>(ScreenId::personalDeductions, "死別"), Qt::LeftButton);
    EXPECT_EQ(screen.selfKind(), "寡婦");
    EXPECT_EQ(screen.widowCause(), "死別");
    EXPECT_FALSE(captioned<QRadioButton>(ScreenId::personalDeductions, "該当なし")->isChecked());
    QTest::mouseClick(captioned<QCheckBox>(ScreenId::personalDeductions, "配偶者控除"), Qt::LeftButton);
    EXPECT_TRUE(screen.spouseDeductionChecked);
    auto* era = child<QComboBox>(ScreenId::personalDeductions, "spouseEra");
    EXPECT_EQ(era->currentText(), "年号");
    era->activated(2);
    EXPECT_EQ(screen.spouseEra.text, "昭和");
    QTest::mouseClick(captioned<QPushButton>(ScreenId::personalDeductions, "38万"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(ScreenId::personalDeductions, "spouseDeduction")->text(), "380000");
    // The bottom row's クリア, not the one beside the spouse's amounts.
    QPushButton* clear = captioned<QPushButton>(ScreenId::personalDeductions, "クリア");
    if (clear && clear->objectName() == "clearSpouse")
        clear = captioned<QPushButton>(ScreenId::personalDeductions, "クリア", 1);
    ASSERT_NE(clear, nullptr);
    ASSERT_NE(clear->objectName(), "clearSpouse");
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_TRUE(captioned<QRadioButton>(ScreenId::personalDeductions, "該当なし")->isChecked());
    EXPECT_FALSE(captioned<QCheckBox>(ScreenId::personalDeductions, "配偶者控除")->isChecked());
    EXPECT_EQ(era->currentText(), "年号");
}

} // namespace
} // namespace kakutei
