#pragma once
// The personal deductions screen's window (Form5, "障害者・配偶者・扶養家族 / 専従者に関する事項").

#include "ui/screen_window.h"

namespace kakutei {

class App;
class PersonalDeductionsScreen;

class PersonalDeductionsWindow : public ScreenWindow {
public:
    PersonalDeductionsWindow(App& app, WindowRegistry& registry);
    void refresh() override { refreshBindings(); }

private:
    PersonalDeductionsScreen& screen();
    QWidget* buildSelf();
    QWidget* buildSpouse();
    QWidget* buildDependents();
    QWidget* buildEmployees();
    App& app_;
};

} // namespace kakutei
