#pragma once
// The housing loan credit screen's window (Form14, "住宅取得控除").

#include "ui/screen_window.h"

namespace kakutei {

class App;
class HousingLoanScreen;

class HousingLoanWindow : public ScreenWindow {
public:
    HousingLoanWindow(App& app, WindowRegistry& registry);
    void refresh() override { refreshBindings(); }

private:
    HousingLoanScreen& screen();
    App& app_;
};

} // namespace kakutei
