// Arbitrary bytes as each of a taxpayer's files, loaded by every screen that reads one, and printed.
#include "core/file_io.h"
#include "core/taxpayer_record.h"
#include "deductions/deductions_screen.h"
#include "deductions/personal_deductions_screen.h"
#include "explain/explanation.h"
#include "explain/explanation_text.h"
#include "income/income_breakdown_screen.h"
#include "income/income_screen.h"
#include "office/year_comparison.h"
#include "print/page_layouts.h"
#include "print/printing_screen.h"
#include "registry/data_management_screen.h"
#include "registry/registration_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "tax/housing_loan_screen.h"
#include "tax/tax_computation_screen.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class NullSurface : public kakutei::PrintSurface {
public:
    void beginJob(std::string_view) override {}
    void setFont(std::string_view, double) override {}
    void drawText(double, double, std::string_view) override {}
    double textWidth(std::string_view text) override { return static_cast<double>(text.size()); }
    void drawImage(kakutei::FormImage, double, double, double, double) override {}
    void endJob() override {}
};

struct World {
    std::string root;
    kakutei::DataStore store;
    kakutei::SilentUserInterface ui;
    kakutei::App app;
    NullSurface surface;
    World() : root(makeRoot()), store(root), app(store, ui) {
        store.ensureFolders(kakutei::kYearCode);
        app.start();
        app.screenAs<kakutei::PrintingScreen>(kakutei::ScreenId::printing)->setSurface(&surface);
    }
    static std::string makeRoot() {
        char pattern[] = "/tmp/kakutei-fuzz-root-XXXXXX";
        return ::mkdtemp(pattern);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kakutei;
    static World world;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The same bytes stand as every file of taxpayer 7.
    const std::string files[] = {
        names::taxpayerFile(7),
        *names::screenFile(7, 1, kYearCode),
        *names::screenFile(7, 2, kYearCode),
        *names::screenFile(7, 3, kYearCode),
        *names::screenFile(7, 4, kYearCode),
        *names::screenFile(7, 5, kYearCode),
        *names::housingLoanFile(7, kYearCode),
        std::string(names::taxAccountantFile),
        std::string(names::printSettingsFile),
    };
    for (const std::string& name : files)
        writeFileAtomically(world.store.path(name), bytes, WriteMode::replace);
    App& app = world.app;
    MainMenu& menu = app.mainMenu();
    menu.display();
    menu.text3.text = "7";
    menu.callUp();
    menu.deductions1();
    menu.deductions2();
    menu.taxCredits();
    menu.taxComputation();
    menu.print();
    menu.dataManagement();
    app.registration().text1.text = "7";
    app.registration().callUp();
    menu.taxAccountant.load();
    auto* printing = app.screenAs<PrintingScreen>(ScreenId::printing);
    printing->printPage1();
    printing->printPage2();
    printing->copyPage1();
    printing->copyPage2();
    auto* tax = app.screenAs<TaxComputationScreen>(ScreenId::taxComputation);
    tax->housingLoanCredit();
    tax->dividendCredit();
    // The explanation and the comparison read the same files, as the work sheet and 前年比較 would.
    explanationText(explainReturn(readStoredReturn(world.store, 7, kYearCode)));
    compareYears(world.store, 7, kYearCode, kYearCode);
    return 0;
}
