#include "shell/app.h"

#include "core/amount_text.h"
#include "deductions/deductions_screen.h"
#include "deductions/personal_deductions_screen.h"
#include "income/actual_amount_screen.h"
#include "income/income_breakdown_screen.h"
#include "income/income_screen.h"
#include "print/printing_screen.h"
#include "registry/data_management_screen.h"
#include "registry/registration_screen.h"
#include "registry/year_end_import_screen.h"
#include "shell/main_menu.h"
#include "shell/unsaved_input_question.h"
#include "tax/dividend_credit_screen.h"
#include "tax/housing_loan_screen.h"
#include "tax/tax_computation_screen.h"

namespace kakutei {

namespace {
template <typename Screen> Screen* adopt(App& app, std::unique_ptr<Screen> screen) {
    Screen* raw = screen.get();
    app.install(std::move(screen));
    return raw;
}
} // namespace

App::App(DataStore& store, UserInterface& ui) : store_(store), ui_(ui) {
    registration_ = adopt(*this, std::make_unique<RegistrationScreen>(store_, ui_, *this));
    install(std::make_unique<IncomeScreen>(store_, ui_, *this));
    install(std::make_unique<IncomeBreakdownScreen>(store_, ui_, *this));
    install(std::make_unique<DeductionsScreen>(store_, ui_));
    install(std::make_unique<PersonalDeductionsScreen>(store_, ui_, *this));
    install(std::make_unique<TaxComputationScreen>(store_, ui_, *this));
    install(std::make_unique<HousingLoanScreen>(store_, ui_, *this));
    install(std::make_unique<PrintingScreen>(store_, ui_));
    install(std::make_unique<DataManagementScreen>(store_, ui_, *this));
    actualAmount_ = std::make_unique<ActualAmountScreen>(ui_, *this);
    clients_.setChangedHandler([this](PersonCode code) { clientChanged(code); });
}

void App::clientChanged(PersonCode code) {
    const std::string held = std::to_string(code);
    for (auto& screen : screens_)
        if (screen && screen->id() != ScreenId::dataManagement && screen->heldCode() == held) {
            screen->nenGO();
            screen->clear();
            screen->data();
        }
}

App::~App() = default;

void App::start() {
    mainMenu_ = std::make_unique<MainMenu>(*this);
}

void App::recreateMainMenu() {
    ui_.hide(ScreenId::mainMenu);
    retiredMainMenu_ = std::move(mainMenu_);
    mainMenu_ = std::make_unique<MainMenu>(*this);
    ui_.show(ScreenId::mainMenu);
}

DataScreen* App::screen(ScreenId id) {
    return screens_[static_cast<std::size_t>(id)].get();
}

void App::install(std::unique_ptr<DataScreen> screen) {
    const auto index = static_cast<std::size_t>(screen->id());
    screens_[index] = std::move(screen);
}

void App::openScreen(ScreenId id) {
    if (id == ScreenId::yearEndImport && !yearEndImport_)
        yearEndImport_ = std::make_unique<YearEndImportScreen>(store_, ui_, *this, *registration_);
    ui_.show(id);
    if (id == ScreenId::dataManagement)
        if (auto* data = screen(id))
            data->data(); // "表示"
}

void App::discardScreen(ScreenId id) {
    ui_.hide(id);
    if (id == ScreenId::yearEndImport)
        retiredYearEndImport_ = std::move(yearEndImport_);
    if (id == ScreenId::dividendCredit)
        retiredDividendCredit_ = std::move(dividendCredit_);
    if (auto* old = screenAs<DataManagementScreen>(ScreenId::dataManagement);
        old && id == ScreenId::dataManagement) {
        // Made anew, still on the running year and with the folders the user chose.
        auto fresh = std::make_unique<DataManagementScreen>(store_, ui_, *this);
        fresh->text100 = old->text100;
        fresh->drive1 = old->drive1;
        fresh->drive2 = old->drive2;
        fresh->drive3 = old->drive3;
        retiredDataManagement_ = std::move(screens_[static_cast<std::size_t>(id)]);
        screens_[static_cast<std::size_t>(id)] = std::move(fresh);
    }
}

void App::setActualAmountRevenue(const std::string& amountText) {
    actualAmount_->revenue.text = amountText;
}

void App::setSalaryIncome(const std::string& amountText) {
    if (auto* income = screenAs<IncomeScreen>(ScreenId::income))
        income->income[income_screen::kSalaryLine].text = amountText;
}

void App::setDeductionsTotalIncome(const std::string& amountText) {
    if (auto* deductions = screenAs<DeductionsScreen>(ScreenId::deductions1))
        deductions->totalIncome = Field{amountText};
}

void App::setTaxComputationLine(int line, const Field& field) {
    if (auto* tax = screenAs<TaxComputationScreen>(ScreenId::taxComputation))
        tax->line(line) = field;
}

bool App::settleUnsavedInput() {
    return askAboutUnsavedInput(*this, unsaved_input::kStoringScreens);
}

void App::pressCalculate(ScreenId id) {
    if (auto* target = screen(id))
        target->calculateForCurrentTaxpayer();
}

void App::openDividendCredit(double taxableIncome, double dividends) {
    if (!dividendCredit_)
        dividendCredit_ = std::make_unique<DividendCreditScreen>(ui_, *this);
    dividendCredit_->taxableIncome.text = formatAmount(taxableIncome);
    dividendCredit_->dividends.text = formatAmount(dividends);
    dividendCredit_->calculate();
    ui_.show(ScreenId::dividendCredit);
}

void App::openHousingLoan(const std::string& personCode, const std::string& yearCode) {
    if (auto* housing = screen(ScreenId::housingLoan)) {
        housing->text60.text = personCode;
        housing->text100.text = yearCode;
        housing->clear();
        housing->data();
        ui_.show(ScreenId::housingLoan);
    }
}

void App::setRegistrationCode(PersonCode code) {
    registration_->text25.text = std::to_string(code);
}

void App::setIncomeCondition(const std::string& condition) {
    if (auto* income = screenAs<IncomeScreen>(ScreenId::income))
        income->text98.text = condition;
}

void App::openRegistration() {
    registration_->nenGO();
    registration_->clear();
    registration_->switchEra(registration::kShowa);
    registration_->switchBlueReturn();
    registration_->switchSex(registration::kMale);
    ui_.show(ScreenId::registration);
}

void App::openTaxComputation() {
    if (auto* tax = screen(ScreenId::taxComputation)) {
        tax->clear();
        tax->data();
        if (auto* computation = dynamic_cast<TaxComputationScreen*>(tax))
            computation->gather();
        ui_.show(ScreenId::taxComputation);
    }
}

void App::openPrinting(PersonCode code) {
    if (auto* printing = screen(ScreenId::printing)) {
        printing->text60.text = std::to_string(code);
        printing->nenGO();
        printing->data();
        if (auto* screen = dynamic_cast<PrintingScreen*>(printing))
            screen->loadOffsets();
        ui_.show(ScreenId::printing);
    }
}

void App::openDataManagement() {
    if (auto* data = screen(ScreenId::dataManagement)) {
        data->data(); // "表示"
        ui_.show(ScreenId::dataManagement);
    }
}

} // namespace kakutei
