// kakutei-screenshots ROOT|--demo OUTDIR [CODE]: opens every screen on the data below ROOT for taxpayer CODE
// (default 1), as a user would from the main menu, and saves each window as OUTDIR/<form name>.png.
// Runs on Qt's offscreen platform: no display is needed.
#include "app/demo_data.h"
#include "income/income_screen.h"
#include "registry/data_management_screen.h"
#include "registry/registration_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "tax/tax_computation_screen.h"
#include "ui/program_windows.h"
#include "ui/window_program.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

int main(int argc, char** argv) {
    using namespace kakutei;
    if (argc < 3) {
        std::fprintf(stderr, "usage: kakutei-screenshots ROOT OUTDIR [CODE]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setUpJapanese(application);
    const std::string outDir = argv[2];
    const std::string code = argc > 3 ? argv[3] : "1";

    // "--demo" as the root: the sample data, made afresh in a temporary folder.
    std::string root = argv[1];
    if (root == "--demo") {
        char folder[] = "/tmp/kakutei-screenshots-XXXXXX";
        root = ::mkdtemp(folder);
        createDemoData(root);
    }
    ProgramWindows program(root);
    App& app = program.app;
    WindowSet& windows = program.windows;

    const auto capture = [&](ScreenId id, const std::function<void()>& action) {
        action();
        windows.refreshVisible();
        QWidget* window = windows.window(id);
        window->adjustSize();
        QApplication::processEvents();
        const std::string file = outDir + "/" + formName(id) + ".png";
        if (!window->grab().save(QString::fromStdString(file)))
            std::fprintf(stderr, "could not write %s\n", file.c_str());
        window->hide();
    };
    MainMenu& menu = app.mainMenu();
    capture(ScreenId::mainMenu, [&] {
        menu.text3.text = code;
        menu.taxAccountant.load();
    });
    windows.window(ScreenId::mainMenu)->show();
    capture(ScreenId::income, [&] { menu.callUp(); });
    capture(ScreenId::actualAmount, [&] { app.screenAs<IncomeScreen>(ScreenId::income)->actualAmount(); });
    capture(ScreenId::incomeBreakdown, [&] { menu.taxCredits(); });
    capture(ScreenId::deductions1, [&] { menu.deductions1(); });
    capture(ScreenId::personalDeductions, [&] { menu.deductions2(); });
    auto* tax = app.screenAs<TaxComputationScreen>(ScreenId::taxComputation);
    capture(ScreenId::taxComputation, [&] { menu.taxComputation(); });
    capture(ScreenId::dividendCredit, [&] { tax->dividendCredit(); });
    capture(ScreenId::housingLoan, [&] { tax->housingLoanCredit(); });
    capture(ScreenId::printing, [&] { menu.print(); });
    capture(ScreenId::dataManagement, [&] { menu.dataManagement(); });
    // The same screen half-way through a backup into a scratch folder.
    windows.window(ScreenId::dataManagement)->show();
    menu.dataManagement();
    windows.refreshVisible();
    auto* data = app.screenAs<DataManagementScreen>(ScreenId::dataManagement);
    const QString scratch = QDir::tempPath() + "/kakutei-screenshot-backup";
    QDir().mkpath(scratch);
    data->drive1.text = scratch.toStdString();
    windows.refreshVisible();
    const auto showProgress = data->progressChanged;
    bool grabbed = false;
    data->progressChanged = [&] {
        showProgress();
        if (!grabbed && data->progress == 50) {
            grabbed = true;
            windows.window(ScreenId::dataManagement)
                ->grab()
                .save(QString::fromStdString(outDir + "/Form12-backup.png"));
        }
    };
    data->backup();
    QDir(scratch).removeRecursively();
    capture(ScreenId::registration, [&] {
        menu.registration();
        app.registration().text1.text = code;
        app.registration().callUp();
    });
    capture(ScreenId::yearEndImport, [&] { app.registration().openYearEndImport(); });
    return 0;
}
