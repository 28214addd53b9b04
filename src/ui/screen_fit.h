#pragma once
// Windows that fit the screen they open on: at 150 % or 200 % scaling, or on a 1366 × 768 laptop with a
// panel, a window larger than the screen's free area opens at that area's size and scrolls, so that every
// box and button can still be reached.

class QScrollArea;
class QWidget;

namespace kakutei {

// Puts a scroll area over the whole of `window` and gives back the page inside it, which the window lays
// its contents out on instead of on itself. A box that takes the focus is scrolled wholly into view.
QWidget* makeScrollingPage(QWidget* window, QScrollArea*& scroll);

// Scrolls as little as needed to show all of `control`, a widget on the page of `scroll`.
void scrollIntoView(QScrollArea* scroll, QWidget* control);

// Sizes `window` to what its page asks for (or to the size it was given), but never larger than the free
// area of its screen less the window system's frame.
void fitToScreen(QWidget* window, QScrollArea* scroll);

} // namespace kakutei
