#pragma once
// The deductions (1) screen's window (Form4, "医療費控除 / 社会保険料等").

#include "ui/screen_window.h"

class QGridLayout;

namespace kakutei {

class App;
class DeductionsScreen;

class DeductionsWindow : public ScreenWindow {
public:
    DeductionsWindow(App& app, WindowRegistry& registry);
    void refresh() override { refreshBindings(); }

private:
    DeductionsScreen& screen();
    // A caption and its box; an amount box (`amountField` its record field, not 0) is explained too.
    void addRow(QGridLayout* grid, int row, const char* caption, Field DeductionsScreen::*member,
                const char* name, int amountField, AmountKind kind = AmountKind::input);
    QWidget* buildCasualtyAndMedical();
    QWidget* buildInsuranceTables();
    QWidget* buildInsuranceAndDonations();
    QWidget* buildResults();
    App& app_;
};

} // namespace kakutei
