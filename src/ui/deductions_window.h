#pragma once
// The deductions (1) screen's window (Form4, "医療費控除 / 社会保険料等").

#include "ui/screen_window.h"

namespace kakutei {

class App;
class DeductionsScreen;

class DeductionsWindow : public ScreenWindow {
public:
    DeductionsWindow(App& app, WindowRegistry& registry);
    void refresh() override { refreshBindings(); }

private:
    DeductionsScreen& screen();
    QWidget* buildCasualtyAndMedical();
    QWidget* buildInsuranceTables();
    QWidget* buildInsuranceAndDonations();
    QWidget* buildResults();
    App& app_;
};

} // namespace kakutei
