#include "ui/qt_user_interface.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

Choice QtUserInterface::choose(std::string_view title, std::string_view body) {
    QMessageBox box(QMessageBox::Question, qt(title), qt(body),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, dialogParent());
    box.button(QMessageBox::Save)->setText(qt(kStoreCaption));
    box.button(QMessageBox::Discard)->setText(qt(kDiscardCaption));
    box.button(QMessageBox::Cancel)->setText(qt(kBackCaption));
    box.setDefaultButton(QMessageBox::Save);
    // Escape and the box's own close button mean 戻る: nothing is lost by them.
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Choice::store;
    case QMessageBox::Discard:
        return Choice::discard;
    default:
        return Choice::back;
    }
}

void QtUserInterface::beep() {
    QApplication::beep();
}

void QtUserInterface::show(ScreenId screen) {
    if (QWidget* w = window(screen)) {
        const bool opening = !w->isVisible();
        w->show();
        w->raise();
        w->activateWindow();
        if (opening)
            focusFirstInput(*w);
    }
}

void focusFirstInput(QWidget& window) {
    for (QWidget* chosen : window.findChildren<QWidget*>())
        if (chosen->property(kFirstInput).toBool()) {
            chosen->setFocus(Qt::OtherFocusReason);
            return;
        }
    // The first box the user can type into, in the order Tab and Enter go: whoever opens a screen
    // starts typing at once, without reaching for the mouse.
    for (QWidget* w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain()) {
        if (!window.isAncestorOf(w) || !w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus)
            continue;
        auto* box = qobject_cast<QLineEdit*>(w);
        if ((box && !box->isReadOnly()) || qobject_cast<QComboBox*>(w)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
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
