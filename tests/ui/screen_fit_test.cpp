// Every window opens within the free area of the screen it is shown on, and every box and button in it can be
// scrolled into view: the same test program runs on a 1920 × 1080 desktop at 100 % and at 150 %, and on a
// 1366 × 768 laptop less a 32-pixel panel (KAKUTEI_TEST_SCREEN names the screen).
#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>

namespace kakutei {
namespace {

constexpr ScreenId kWindows[] = {
    ScreenId::mainMenu,           ScreenId::registration,    ScreenId::income,         ScreenId::deductions1,
    ScreenId::personalDeductions, ScreenId::incomeBreakdown, ScreenId::taxComputation, ScreenId::actualAmount,
    ScreenId::printing,           ScreenId::dataManagement};

struct ScreenFit : testing::WindowFixture {};

bool isControl(QWidget* widget) {
    return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
           qobject_cast<QComboBox*>(widget);
}

TEST_F(ScreenFit, EveryWindowFitsAndScrollsToEachControl) {
    callUpSeven();
    const QRect available = QApplication::primaryScreen()->availableGeometry();
    for (ScreenId id : kWindows) {
        QWidget* window = windows.window(id);
        ASSERT_NE(window, nullptr) << formName(id);
        SCOPED_TRACE(formName(id));
        window->show();
        // The page's layout settles in posted events after the window is sized.
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
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
            scroll->ensureWidgetVisible(control, 0, 0);
            const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
                << control->objectName().toStdString() << " " << control->metaObject()->className() << " at "
                << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height() << " in "
                << scroll->viewport()->width() << "x" << scroll->viewport()->height();
        }
        EXPECT_GT(controls, 0);
        window->hide();
    }
}

} // namespace
} // namespace kakutei
