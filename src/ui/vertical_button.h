#pragma once
// A tall, narrow button whose caption runs top to bottom, one character under the other.

#include <QPushButton>

namespace kakutei {

class VerticalButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kakutei
