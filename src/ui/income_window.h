#pragma once
// The income screen's window (Form3, "収入金額等・所得金額").

#include "ui/screen_window.h"

namespace kakutei {

class App;
class IncomeScreen;

class IncomeWindow : public ScreenWindow {
public:
    IncomeWindow(App& app, WindowRegistry& registry);
    void refresh() override;

private:
    IncomeScreen& screen();
    QWidget* buildIncomeTable();
    QWidget* buildSummary();
    App& app_;
};

} // namespace kakutei
