#pragma once
// The income breakdown screen's window (Form6): the withholding table and the detail table.

#include "ui/screen_window.h"

class QGridLayout;

namespace kakutei {

class App;
class IncomeBreakdownScreen;

class IncomeBreakdownWindow : public ScreenWindow {
public:
    IncomeBreakdownWindow(App& app, WindowRegistry& registry);
    void refresh() override { refreshBindings(); }

private:
    IncomeBreakdownScreen& screen();
    QWidget* buildWithholdingTable();
    QWidget* buildDetailTable();
    App& app_;
};

} // namespace kakutei
