#include "ui/program_windows.h"

#include <QWidget>

namespace kakutei {

ProgramWindows::ProgramWindows(const std::string& root) : store(root) {
    app.start();
    windows.createMainWindow();
    windows.window(ScreenId::mainMenu)->show();
}

} // namespace kakutei
