#include "message_box_answerer.h"

#include <QAbstractButton>
#include <QApplication>

namespace kakutei::testing {

MessageBoxAnswerer::MessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers)
    : answers_(std::move(answers)) {
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
    timer_.start(10);
}

void MessageBoxAnswerer::answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || answers_.empty())
        return;
    titles << box->windowTitle();
    texts << box->text();
    icons << box->icon();
    const QMessageBox::StandardButton choice = answers_.front();
    answers_.pop_front();
    if (QAbstractButton* button = box->button(choice))
        button->click();
}

} // namespace kakutei::testing
