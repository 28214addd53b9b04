#pragma once
// The registration screen's window (Form2, "個人の登録").

#include "ui/screen_window.h"

class QGroupBox;

namespace kakutei {

class App;
class RegistrationScreen;

class RegistrationWindow : public ScreenWindow {
public:
    RegistrationWindow(App& app, WindowRegistry& registry);
    void refresh() override;

private:
    RegistrationScreen& screen();
    QGroupBox* group(std::string_view title);

    App& app_;
};

} // namespace kakutei
