#include "ui/window_set.h"

#include "ui/actual_amount_window.h"
#include "ui/data_management_window.h"
#include "ui/deductions_window.h"
#include "ui/dividend_credit_window.h"
#include "ui/housing_loan_window.h"
#include "ui/income_breakdown_window.h"
#include "ui/income_window.h"
#include "ui/main_menu_window.h"
#include "ui/personal_deductions_window.h"
#include "ui/printing_window.h"
#include "ui/qt_user_interface.h"
#include "ui/registration_window.h"
#include "ui/tax_computation_window.h"
#include "ui/year_end_import_window.h"

namespace kakutei {

namespace {
template <typename Window> std::unique_ptr<ScreenWindow> make(App& app, WindowRegistry& registry) {
    return std::make_unique<Window>(app, registry);
}
} // namespace

WindowSet::WindowSet(App& app, QtUserInterface& ui) : app_(app), ui_(ui) {
    const std::pair<ScreenId, std::unique_ptr<ScreenWindow> (*)(App&, WindowRegistry&)> screens[] = {
        {ScreenId::registration, &make<RegistrationWindow>},
        {ScreenId::yearEndImport, &make<YearEndImportWindow>},
        {ScreenId::income, &make<IncomeWindow>},
        {ScreenId::actualAmount, &make<ActualAmountWindow>},
        {ScreenId::incomeBreakdown, &make<IncomeBreakdownWindow>},
        {ScreenId::deductions1, &make<DeductionsWindow>},
        {ScreenId::personalDeductions, &make<PersonalDeductionsWindow>},
        {ScreenId::taxComputation, &make<TaxComputationWindow>},
        {ScreenId::dividendCredit, &make<DividendCreditWindow>},
        {ScreenId::housingLoan, &make<HousingLoanWindow>},
        {ScreenId::printing, &make<PrintingWindow>},
        {ScreenId::dataManagement, &make<DataManagementWindow>},
    };
    for (const auto& [id, factory] : screens) {
        windows_.push_back(factory(app_, registry_));
        ui_.registerWindow(id, windows_.back().get());
    }
}

WindowSet::~WindowSet() = default;

void WindowSet::createMainWindow() {
    windows_.push_back(std::make_unique<MainMenuWindow>(app_, registry_));
    ui_.registerWindow(ScreenId::mainMenu, windows_.back().get());
}

QWidget* WindowSet::window(ScreenId screen) const {
    return ui_.window(screen);
}

} // namespace kakutei
