#include "ui/qt_user_interface.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace kakutei {

void QtUserInterface::registerWindow(ScreenId screen, QWidget* window) {
    windows_[static_cast<std::size_t>(screen)] = window;
}

QWidget* QtUserInterface::window(ScreenId screen) const {
    return windows_[static_cast<std::size_t>(screen)];
}

QWidget* QtUserInterface::dialogParent() const {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return window(ScreenId::mainMenu);
}

void QtUserInterface::warn(std::string_view title, std::string_view body) {
    QMessageBox::warning(dialogParent(), qt(title), qt(body), QMessageBox::Ok);
}

bool QtUserInterface::ask(std::string_view title, std::string_view body) {
    return QMessageBox::question(dialogParent(), qt(title), qt(body), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void QtUserInterface::beep() {
    QApplication::beep();
}

void QtUserInterface::show(ScreenId screen) {
    if (QWidget* w = window(screen)) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

void QtUserInterface::hide(ScreenId screen) {
    if (QWidget* w = window(screen))
        w->hide();
}

void QtUserInterface::openAddress(std::string_view address) {
    QDesktopServices::openUrl(QUrl(qt(address)));
}

void QtUserInterface::quit() {
    QApplication::quit();
}

} // namespace kakutei
