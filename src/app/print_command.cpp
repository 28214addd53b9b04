#include "app/print_command.h"

#include "app/stream_user_interface.h"
#include "core/data_store.h"
#include "core/file_io.h"
#include "core/store_error.h"
#include "print/printing_screen.h"
#include "registry/output_gate.h"
#include "shell/app.h"
#include "ui/print_output.h"

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

int runPrintCommand(const CommandLine& line, PrintOutput& output, std::ostream& out, std::ostream& err) {
    if (line.page == 0 || line.arguments.empty() == !line.all) {
        err << "印刷するページ（--page 1 か 2）と、個人コードか --all のどちらかを指定して下さい。\n"
            << usageLine() << '\n';
        return kExitUsage;
    }
    // The copy is one form of its own and the resident-tax variant exists for page 1 only: asking for
    // more would print something other than what was asked.
    if (line.a4Copy && (line.residentTax || line.officeForm)) {
        err << "--a4-copy（A4 の控え）には --resident-tax と --office-form を付けられません。\n"
            << usageLine() << '\n';
        return kExitUsage;
    }
    if (line.page == 2 && line.residentTax) {
        err << "--resident-tax は第一表（--page 1）だけのものです。\n" << usageLine() << '\n';
        return kExitUsage;
    }
    const bool toFolder = line.pdf && folderExists(*line.pdf);
    if (line.pdf && !toFolder && (line.arguments.size() > 1 || line.all)) {
        err << "複数の人を印刷するときは --pdf にフォルダを指定して下さい。\n";
        return kExitUsage;
    }
    DataStore store(resolveRoot(line.root));
    if (!finishInterruptedWork(store, err) || !prepareDataFolders(store, err))
        return kExitFailure;
    const OutputGate gate(store);
    // Every job would be refused by itself; one line says it once.
    if (const std::error_code refused = line.pdf ? gate.refusal(*line.pdf) : std::error_code()) {
        err << "「" << *line.pdf << "」に PDF を保存できません。" << describeError(refused) << '\n';
        return kExitFailure;
    }
    const std::unique_ptr<PrintSurface> surface = !line.pdf  ? output.printer(gate)
                                                  : toFolder ? output.pdfFolder(gate, *line.pdf)
                                                             : output.pdfFile(gate, *line.pdf);
    StreamUserInterface ui(err, line.yes);
    App app(store, ui);
    app.start();
    auto* screen = app.screenAs<PrintingScreen>(ScreenId::printing);
    screen->setSurface(surface.get());

    bool failed = false;
    for (const PersonCode code : codesToProcess(line, store, err, failed)) {
        if (const auto holder = app.clients().openElsewhere(code)) {
            err << openElsewhereText(store, code, *holder) << "印刷していません。\n";
            failed = true;
            continue;
        }
        app.openPrinting(code);
        pressPrintButton(*screen, line);
    }
    for (const JobReport& job : screen->jobs())
        if (!job.failed)
            out << (line.pdf ? job.file : job.message) << '\n';
    return failed || ui.warned() || ui.declined() ? kExitFailure : kExitOk;
}

} // namespace kakutei
