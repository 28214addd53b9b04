#pragma once
// The actual-amount screen's window (Form8, "給与等の実額計算").

#include "ui/screen_window.h"

namespace kakutei {

class App;
class ActualAmountScreen;

class ActualAmountWindow : public ScreenWindow {
public:
    ActualAmountWindow(App& app, WindowRegistry& registry);
    void refresh() override { refreshBindings(); }

private:
    ActualAmountScreen& screen();
    App& app_;
};

} // namespace kakutei
