// The close boxes ask before typed figures are left behind, and the shared buttons answer to their keys.
#include "income/income_screen.h"

#include "message_box_answerer.h"
#include "window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace kakutei {
namespace {

using testing::MessageBoxAnswerer;

struct UnsavedInputWindowsFixture : testing::WindowFixture {
    void SetUp() override {
        callUpSeven();
        QApplication::setActiveWindow(&window(ScreenId::income));
    }
    QLineEdit* revenue() { return child<QLineEdit>(ScreenId::income, "revenue1"); }
    void typeRevenue() {
        revenue()->setFocus();
        QTest::keyClicks(revenue(), "1200000");
    }
    bool stored() const { return std::filesystem::exists(root.path() + "/所得税/H16所得税/71.txt"); }
};

TEST_F(UnsavedInputWindowsFixture, TheCloseBoxOfADataWindowAsksFirst) {
    const struct {
        QMessageBox::StandardButton answer;
        bool closes;
        bool stores;
        const char* boxAfterwards;
    } cases[] = {
        {QMessageBox::Cancel, false, false, "1200000"},
        {QMessageBox::Save, true, true, "1,200,000"},
        {QMessageBox::Discard, true, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        app.screen(ScreenId::income)->discardUnsavedInput(); // what the case before left
        std::filesystem::remove(root.path() + "/所得税/H16所得税/71.txt");
        press(&MainMenu::income);
        typeRevenue();
        MessageBoxAnswerer answerer({c.answer});
        window(ScreenId::income).close();
        ASSERT_EQ(answerer.titles, QStringList{"保存していない入力があります"});
        EXPECT_EQ(window(ScreenId::income).isVisible(), !c.closes);
        EXPECT_EQ(stored(), c.stores);
        EXPECT_EQ(revenue()->text(), c.boxAfterwards);
    }
}

TEST_F(UnsavedInputWindowsFixture, TheMainMenusCloseBoxAsksFirst) {
    typeRevenue();
    MessageBoxAnswerer answerer({QMessageBox::Cancel, QMessageBox::Save});
    window(ScreenId::mainMenu).close();
    EXPECT_EQ(answerer.titles.size(), 1);
    EXPECT_FALSE(stored());
    EXPECT_EQ(revenue()->text(), "1200000");
    window(ScreenId::mainMenu).close();
    EXPECT_EQ(answerer.titles.size(), 2);
    EXPECT_TRUE(stored());
}

TEST_F(UnsavedInputWindowsFixture, FiveStoresAndNineLoadsWithoutTouchingTheButtons) {
    typeRevenue();
    // A key clicks its button the way the mouse does, a moment later.
    QTest::keyClick(revenue(), Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return stored(); }, 2000));
    EXPECT_EQ(revenue()->text(), "1,200,000");

    QTest::keyClicks(revenue(), "9");
    QTest::keyClick(revenue(), Qt::Key_F9);
    EXPECT_TRUE(QTest::qWaitFor([this] { return revenue()->text() == "1,200,000"; }, 2000));
}

TEST_F(UnsavedInputWindowsFixture, TheSharedButtonsShowTheirKeysAndKeepTheirCaptions) {
    const ScreenId dataWindows[] = {ScreenId::income, ScreenId::deductions1, ScreenId::personalDeductions,
                                    ScreenId::incomeBreakdown, ScreenId::taxComputation};
    const std::pair<std::string_view, QString> keys[] = {
        {"計算実行", "F5"}, {"前年データ", "F8"}, {"DATA", "F9"}};
    for (ScreenId id : dataWindows) {
        for (const auto& [caption, key] : keys) {
            SCOPED_TRACE(std::string(formName(id)) + " " + std::string(caption));
            QPushButton* button = captioned<QPushButton>(id, caption);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->shortcut(), QKeySequence(key));
            const auto* hint = button->findChild<QLabel*>("keyHint");
            ASSERT_NE(hint, nullptr);
            EXPECT_EQ(hint->text(), key);
            EXPECT_TRUE(button->toolTip().contains(key));
        }
        // Keys that would empty a screen or end the program by a slip are not given.
        QPushButton* clear = captioned<QPushButton>(id, "クリア");
        ASSERT_NE(clear, nullptr) << formName(id);
        EXPECT_TRUE(clear->shortcut().isEmpty()) << formName(id);
    }
    QPushButton* end = captioned<QPushButton>(ScreenId::incomeBreakdown, "END");
    ASSERT_NE(end, nullptr);
    EXPECT_TRUE(end->shortcut().isEmpty());
}

} // namespace
} // namespace kakutei
