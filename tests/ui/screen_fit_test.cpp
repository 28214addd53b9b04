// Every window opens within the free area of the screen it is shown on, and every box and button in it can be
// scrolled into view: the same test program runs on a 1920 × 1080 desktop at 100 % and at 150 %, and on a
// 1366 × 768 laptop less a 32-pixel panel, and at 200 % (KAKUTEI_TEST_SCREEN names the screen).
#include "window_fixture.h"

#include "ui/screen_fit.h"
#include "ui/window_program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

#include <algorithm>

namespace kakutei {
namespace {

constexpr ScreenId kWindows[] = {
    ScreenId::mainMenu,           ScreenId::registration,    ScreenId::income,         ScreenId::deductions1,
    ScreenId::personalDeductions, ScreenId::incomeBreakdown, ScreenId::taxComputation, ScreenId::actualAmount,
    ScreenId::printing,           ScreenId::dataManagement};

struct ScreenFit : testing::WindowFixture {
    // Measured in the program's own font, which is larger than the platform's default.
    static void SetUpTestSuite() { setUpJapanese(*qApp); }
};

bool isControl(QWidget* widget) {
    return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
           qobject_cast<QComboBox*>(widget);
}

// Opens `window` and lets its page's layout settle, which it does in posted events after the window is sized.
void open(QWidget* window) {
    window->show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

::testing::AssertionResult wholeInView(QScrollArea* scroll, QWidget* control) {
    const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
    if (scroll->viewport()->rect().contains(shown))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << control->objectName().toStdString() << " " << control->metaObject()->className() << " at "
           << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height() << " in "
           << scroll->viewport()->width() << "x" << scroll->viewport()->height();
}

TEST_F(ScreenFit, EveryWindowFitsAndScrollsToEachControl) {
    callUpSeven();
    const QRect available = QApplication::primaryScreen()->availableGeometry();
    for (ScreenId id : kWindows) {
        QWidget* window = windows.window(id);
        ASSERT_NE(window, nullptr) << formName(id);
        SCOPED_TRACE(formName(id));
        open(window);
        // Room is left for the title bar and borders the window system adds.
        EXPECT_LE(window->width() + 16, available.width());
        EXPECT_LE(window->height() + 48, available.height());
        auto* scroll = window->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        int controls = 0;
        for (QWidget* control : scroll->widget()->findChildren<QWidget*>()) {
            if (!isControl(control) || !control->isVisibleTo(window))
                continue;
            ++controls;
            // The scroll bars stop at the page's edge, so a control the page does not cover stays cut off.
            scrollIntoView(scroll, control);
            EXPECT_TRUE(wholeInView(scroll, control));
        }
        EXPECT_GT(controls, 0);
        window->hide();
    }
}

// Someone working with the keyboard alone sees all of each box they come to, not only its text cursor.
TEST_F(ScreenFit, TabShowsTheWholeOfEachBox) {
    callUpSeven();
    for (ScreenId id : kWindows) {
        QWidget* window = windows.window(id);
        SCOPED_TRACE(formName(id));
        open(window);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        auto* scroll = window->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        const auto controls = scroll->widget()->findChildren<QWidget*>();
        const auto stops = std::count_if(controls.begin(), controls.end(), [window](QWidget* control) {
            return isControl(control) && control->isVisibleTo(window) &&
                   (control->focusPolicy() & Qt::TabFocus);
        });
        ASSERT_GT(stops, 0);
        for (qsizetype i = 0; i < stops; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            EXPECT_TRUE(wholeInView(scroll, focused));
        }
        window->hide();
    }
}

} // namespace
} // namespace kakutei
