#include "ui/print_command.h"

#include "app/stream_user_interface.h"
#include "print/printing_screen.h"
#include "shell/app.h"
#include "ui/qt_print_surface.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <memory>
#include <ostream>

namespace kakutei {
namespace {

// Presses the button the options name, as a user on the printing screen would.
void pressPrintButton(PrintingScreen& screen, const CommandLine& line) {
    if (line.page == 1) {
        if (line.a4Copy)
            screen.copyPage1();
        else if (line.officeForm && line.residentTax)
            screen.printPage1OfficeFormResident();
        else if (line.officeForm)
            screen.printPage1OfficeForm();
        else if (line.residentTax)
            screen.printPage1Resident();
        else
            screen.printPage1();
    } else {
        if (line.a4Copy)
            screen.copyPage2();
        else if (line.officeForm)
            screen.printPage2OfficeForm();
        else
            screen.printPage2();
    }
}

} // namespace

int runPrintCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
    if (line.page == 0 || line.arguments.empty()) {
        err << "印刷するページ（--page 1 か 2）と個人コードを指定して下さい。\n" << usageLine() << '\n';
        return kExitUsage;
    }
    const bool toFolder = line.pdf && QFileInfo(qt(*line.pdf)).isDir();
    if (line.pdf && !toFolder && line.arguments.size() > 1) {
        err << "複数の人を印刷するときは --pdf にフォルダを指定して下さい。\n";
        return kExitUsage;
    }
    // Fonts and PDF need a Qt application, but no display; Qt's own notes about the session are not the
    // user's business on a command line.
    std::unique_ptr<QApplication> application;
    if (!QCoreApplication::instance()) {
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        });
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kakutei";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
    }
    DataStore store(resolveRoot(line.root));
    if (!prepareDataFolders(store, err))
        return kExitFailure;
    StreamUserInterface ui(err, line.yes);
    App app(store, ui);
    app.start();
    std::unique_ptr<QtPrintSurface> surface;
    if (!line.pdf)
        surface = QtPrintSurface::toPrinter(ui, defaultPdfFolder());
    else if (toFolder)
        surface = QtPrintSurface::toPdfFolder(qt(*line.pdf));
    else
        surface = QtPrintSurface::toPdfFile(qt(*line.pdf));
    auto* screen = app.screenAs<PrintingScreen>(ScreenId::printing);
    screen->setSurface(surface.get());

    bool failed = false;
    for (const std::string& word : line.arguments) {
        const auto code = registeredCode(store, word, err);
        if (!code) {
            failed = true;
            continue;
        }
        app.openPrinting(*code);
        pressPrintButton(*screen, line);
    }
    for (const QString& file : surface->writtenFiles())
        out << utf8(file) << '\n';
    return failed || ui.warned() ? kExitFailure : kExitOk;
}

} // namespace kakutei
