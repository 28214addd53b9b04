#pragma once
// The import screen's window (Form13, "年末調整データより呼出"). Its model is made anew at every opening
// after a successful import; the window stays and follows whichever model is current.

#include "ui/screen_window.h"

namespace kakutei {

class App;
class YearEndImportScreen;

class YearEndImportWindow : public ScreenWindow {
public:
    YearEndImportWindow(App& app, WindowRegistry& registry);
    void refresh() override;

private:
    YearEndImportScreen& screen();
    App& app_;
};

} // namespace kakutei
