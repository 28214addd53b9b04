#pragma once
// The dividend credit screen's window (Form10, "配当控除"). Its model is made anew after "確　　　認"; the
// window stays and follows whichever model is current.

#include "ui/screen_window.h"

namespace kakutei {

class App;
class DividendCreditScreen;

class DividendCreditWindow : public ScreenWindow {
public:
    DividendCreditWindow(App& app, WindowRegistry& registry);
    void refresh() override;

private:
    DividendCreditScreen& screen();
    App& app_;
};

} // namespace kakutei
