#include "ui/program_windows.h"

#include "print/printing_screen.h"
#include "ui/qt_print_surface.h"
#include "ui/qt_user_interface.h"

#include <QWidget>

namespace kakutei {

ProgramWindows::ProgramWindows(const std::string& root)
    : store(root), printer(QtPrintSurface::toPrinter(ui, defaultPdfFolder())) {
    if (auto* printing = app.screenAs<PrintingScreen>(ScreenId::printing))
        printing->setSurface(printer.get());
    app.start();
    windows.createMainWindow();
    windows.window(ScreenId::mainMenu)->show();
    focusFirstInput(*windows.window(ScreenId::mainMenu));
}

} // namespace kakutei
