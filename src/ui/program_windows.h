#pragma once
// The whole running program on one data root: the store, the Qt user interface, the screens and their
// windows, started up with the main menu shown.

#include "core/data_store.h"
#include "shell/app.h"
#include "ui/qt_print_surface.h"
#include "ui/qt_user_interface.h"
#include "ui/window_set.h"

#include <memory>

#include <string>

namespace kakutei {

struct ProgramWindows {
    explicit ProgramWindows(const std::string& root);

    DataStore store;
    QtUserInterface ui;
    App app{store, ui};
    WindowSet windows{app, ui};
    std::unique_ptr<QtPrintSurface> printer; // the printing screen's: the default printer, or PDF files
};

} // namespace kakutei
