#include "ui/vertical_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace kakutei {

QSize VerticalButton::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.height() * 2, metrics.height() * (static_cast<int>(text().size()) + 2)};
}

void VerticalButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height() + 2;
    int y = (height() - lineHeight * static_cast<int>(text().size())) / 2;
    for (const QChar c : text()) {
        painter.drawText(QRect(0, y, width(), lineHeight), Qt::AlignCenter, QString(c));
        y += lineHeight;
    }
}

} // namespace kakutei
