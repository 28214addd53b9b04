#include "ui/return_next.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kakutei {

void ReturnNext::install(QWidget* field) {
    field->installEventFilter(new ReturnNext(field));
}

bool ReturnNext::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // While an input method is composing, Enter confirms the composition and never reaches here.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(watched, &tab);
    return true;
}

} // namespace kakutei
