#pragma once
// The tax computation screen's window (Form7, "税額の計算"): lines 9 to 53 of the return.

#include "ui/screen_window.h"

namespace kakutei {

class App;
class TaxComputationScreen;

class TaxComputationWindow : public ScreenWindow {
public:
    TaxComputationWindow(App& app, WindowRegistry& registry);
    void refresh() override { refreshBindings(); }

private:
    TaxComputationScreen& screen();
    QWidget* buildColumn(int firstLine, int lastLine);
    QWidget* captionFor(int line);
    App& app_;
};

} // namespace kakutei
