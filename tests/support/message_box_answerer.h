#pragma once
// Answers the message boxes a window test provokes, in order, and remembers their titles, texts and icons.

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>

namespace kakutei::testing {

class MessageBoxAnswerer : public QObject {
public:
    explicit MessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers);
    QStringList titles;
    QStringList texts;
    QList<QMessageBox::Icon> icons;

private:
    void answer();
    std::deque<QMessageBox::StandardButton> answers_;
    QTimer timer_;
};

} // namespace kakutei::testing
