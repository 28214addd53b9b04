// A window that opens puts the cursor in its first box, so that someone typing a hundred returns never
// reaches for the mouse to start.
#include "shell/main_menu.h"

#include "window_fixture.h"

#include <QApplication>
#include <QLineEdit>

namespace kakutei {
namespace {

struct FirstInputFixture : testing::WindowFixture {};

TEST_F(FirstInputFixture, EachOpenedWindowStartsInItsFirstBox) {
    ui.show(ScreenId::mainMenu);
    EXPECT_EQ(window(ScreenId::mainMenu).focusWidget(), child<QLineEdit>(ScreenId::mainMenu, "Text3"));

    app.mainMenu().text3.text = "7";
    struct Case {
        void (MainMenu::*button)();
        ScreenId screen;
        const char* first;
    } cases[] = {
        {&MainMenu::income, ScreenId::income, "revenue1"},
        {&MainMenu::deductions1, ScreenId::deductions1, "lossCause"},
        {&MainMenu::registration, ScreenId::registration, "Text1"},
    };
    for (const Case& c : cases) {
        press(c.button);
        QWidget& opened = window(c.screen);
        ASSERT_TRUE(opened.isVisible()) << formName(c.screen);
        ASSERT_NE(child<QLineEdit>(c.screen, c.first), nullptr) << c.first;
        EXPECT_EQ(opened.focusWidget(), child<QLineEdit>(c.screen, c.first)) << formName(c.screen);
    }

    // Shown again while open, a window keeps the box the user was in.
    child<QLineEdit>(ScreenId::income, "income1")->setFocus();
    press(&MainMenu::income);
    EXPECT_EQ(window(ScreenId::income).focusWidget(), child<QLineEdit>(ScreenId::income, "income1"));
}

} // namespace
} // namespace kakutei
