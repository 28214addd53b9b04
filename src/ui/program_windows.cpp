#include "ui/program_windows.h"

#include "ui/printing_window.h"
#include "ui/qt_print_surface.h"
#include "ui/qt_user_interface.h"

#include <QWidget>

namespace kakutei {

ProgramWindows::ProgramWindows(const std::string& root)
    : store(root), printer(QtPrintSurface::toPrinter(ui, OutputGate(store), defaultPdfFolder())) {
    if (auto* printing = dynamic_cast<PrintingWindow*>(windows.window(ScreenId::printing)))
        printing->usePrinter(printer.get());
    app.start();
    windows.createMainWindow();
    windows.window(ScreenId::mainMenu)->show();
    focusFirstInput(*windows.window(ScreenId::mainMenu));
}

} // namespace kakutei
