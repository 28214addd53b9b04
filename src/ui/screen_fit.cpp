#include "ui/screen_fit.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

namespace kakutei {

namespace {

// What the window system adds around a window: a title bar and thin borders.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

// Moves `bar` as little as needed to show the span from `first` to `last` in a view `length` long.
void reveal(QScrollBar* bar, int first, int last, int length) {
    if (last >= bar->value() + length)
        bar->setValue(last - length + 1);
    if (first < bar->value())
        bar->setValue(first);
}

} // namespace

QWidget* makeScrollingPage(QWidget* window, QScrollArea*& scroll) {
    auto* frame = new QVBoxLayout(window);
    frame->setContentsMargins(0, 0, 0, 0);
    scroll = new QScrollArea(window);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // The boxes and buttons take the focus, never the area that holds them.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* page = new QWidget;
    scroll->setWidget(page);
    frame->addWidget(scroll);
    // The scroll area itself follows only a box's text cursor, which leaves a box at the far edge of a page
    // half hidden (an amount box shows its cursor at its right end).
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll](QWidget*, QWidget* now) {
        if (now && scroll->widget()->isAncestorOf(now))
            scrollIntoView(scroll, now);
    });
    return page;
}

void scrollIntoView(QScrollArea* scroll, QWidget* control) {
    const QRect shown(control->mapTo(scroll->widget(), QPoint(0, 0)), control->size());
    const QSize view = scroll->viewport()->size();
    reveal(scroll->horizontalScrollBar(), shown.left(), shown.right(), view.width());
    reveal(scroll->verticalScrollBar(), shown.top(), shown.bottom(), view.height());
}

void fitToScreen(QWidget* window, QScrollArea* scroll) {
    QWidget* page = scroll->widget();
    // Laid out with its fonts first, or the size it asks for is that of an unpolished page.
    page->ensurePolished();
    for (QWidget* child : page->findChildren<QWidget*>())
        child->ensurePolished();
    if (page->layout())
        page->layout()->activate();
    // Never squeezed below the size it was laid out for: a smaller screen scrolls instead.
    page->setMinimumSize(page->sizeHint());
    const QSize wanted = window->testAttribute(Qt::WA_Resized) ? window->size() : page->sizeHint();
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(wanted);
        return;
    }
    const QSize room = screen->availableGeometry().size() - QSize(kFrameWidth, kFrameHeight);
    QSize size = wanted.boundedTo(room);
    // A scroll bar takes room of its own: give it that room where the screen has it.
    const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (size.height() < wanted.height())
        size.setWidth(std::min(size.width() + bar, room.width()));
    if (size.width() < wanted.width())
        size.setHeight(std::min(size.height() + bar, room.height()));
    window->resize(size);
}

} // namespace kakutei
