#pragma once
// Every window of the program, made once and registered with the user interface, so that a screen that is
// shown or hidden by its model finds its window.

#include "ui/screen_window.h"

#include <memory>
#include <vector>

namespace kakutei {

class App;
class QtUserInterface;

class WindowSet {
public:
    // The screens' windows exist before the main menu starts up, which hides them.
    WindowSet(App& app, QtUserInterface& ui);
    ~WindowSet();
    // The main menu's window, made after App::start().
    void createMainWindow();
    QWidget* window(ScreenId screen) const;
    void refreshVisible() { registry_.refreshVisible(); }

private:
    App& app_;
    QtUserInterface& ui_;
    WindowRegistry registry_{&app_};
    std::vector<std::unique_ptr<ScreenWindow>> windows_;
};

} // namespace kakutei
