#include "shell/app.h"

#include "core/amount_text.h"
#include "core/person_code.h"
#include "core/taxpayer_record.h"
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
#include "shell/screen_caption.h"
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

// Both codes read, and they are the same taxpayer's.
bool sameTaxpayer(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    const auto code = [](const std::optional<std::string>& text) {
        return text ? readCode(*text).code : std::nullopt;
    };
    return code(a) && code(a) == code(b);
}

// "「配当控除」の画面：個人コード 1（一）の数字"
std::string whoseFigures(const DataStore& store, ScreenId screen, const std::optional<std::string>& code) {
    const auto read = code ? readCode(*code).code : std::nullopt;
    return "「" + std::string(screenCaption(screen)) + "」の画面：" +
           (read ? clientName(store, *read) + "の数字" : std::string("まだ誰の数字でもありません"));
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
    closeFigureScreens([&held](const std::string& figuresOf) { return figuresOf == held; });
}

void App::calledUp(PersonCode code) {
    const std::string current = std::to_string(code);
    const auto another = [&current](const std::string& held) { return !held.empty() && held != current; };
    closeFigureScreens(another);
    // These keep their own file or print a stored return; they are opened anew, for the client then current,
    // from the screen or the menu that owns them.
    for (ScreenId id : {ScreenId::housingLoan, ScreenId::printing})
        if (auto* screen = this->screen(id); screen && another(screen->text60.text)) {
            ui_.hide(id);
            screen->clear();
        }
}

void App::closeFigureScreens(const std::function<bool(const std::string&)>& closes) {
    // Form8 and Form10 keep no file: their figures came from the window that opened them and go back to it
    // with their buttons, so once that window holds someone else they close instead of handing them over.
    if (closes(actualAmount_->text60.text)) {
        ui_.hide(ScreenId::actualAmount);
        actualAmount_->takeTaxpayer(std::string());
    }
    if (dividendCredit_ && closes(dividendCredit_->text60.text))
        discardScreen(ScreenId::dividendCredit);
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

void App::setActualAmountRevenue(const std::string& personCode, const std::string& amountText) {
    actualAmount_->takeTaxpayer(personCode);
    actualAmount_->revenue.text = amountText;
}

bool App::handOver(const FigureSource& from, DataScreen& target,
                   const std::vector<std::pair<Field*, Field>>& figures) {
    // A screen that holds nobody's figures yet loads its own before it shows or stores anything: what is
    // written there is only kept in step, never the user's input.
    const bool holdsNobody = !target.heldCode();
    if (!holdsNobody && !sameTaxpayer(from.code, target.heldCode())) {
        if (from.handing == Handing::followUp)
            return true;
        const std::string targetCaption(screenCaption(target.id()));
        ui_.warn(kOtherTaxpayerTitle, whoseFigures(store_, from.screen, from.code) + "\n" +
                                          whoseFigures(store_, target.id(), target.heldCode()) +
                                          "\n別の人の画面へは数字を渡しません。「" + targetCaption +
                                          "」には何も書き込んでいません。\n"
                                          "同じ人の画面を開き直してから、もう一度実行して下さい。");
        return false;
    }
    for (const auto& [field, figure] : figures) {
        // Handed over at the user's word, the figure waits for "計算実行" as one typed there would.
        if (from.handing == Handing::transfer && !holdsNobody)
            target.typed().typing(*field);
        *field = figure;
    }
    return true;
}

bool App::setSalaryIncome(const FigureSource& from, const std::string& amountText) {
    auto* income = screenAs<IncomeScreen>(ScreenId::income);
    if (!income)
        return true;
    Field& salary = income->income[income_screen::kSalaryLine];
    return handOver(from, *income, {{&salary, Field{amountText, salary.colour}}});
}

bool App::setDeductionsTotalIncome(const FigureSource& from, const std::string& amountText) {
    auto* deductions = screenAs<DeductionsScreen>(ScreenId::deductions1);
    if (!deductions)
        return true;
    return handOver(from, *deductions, {{&deductions->totalIncome, Field{amountText}}});
}

bool App::setTaxComputationLines(const FigureSource& from, const std::vector<LineFigure>& lines) {
    auto* tax = screenAs<TaxComputationScreen>(ScreenId::taxComputation);
    if (!tax)
        return true;
    std::vector<std::pair<Field*, Field>> figures;
    for (const LineFigure& figure : lines)
        figures.emplace_back(&tax->line(figure.line), figure.field);
    return handOver(from, *tax, figures);
}

bool App::settleUnsavedInput() {
    return askAboutUnsavedInput(*this, unsaved_input::kStoringScreens);
}

bool App::pressCalculate(ScreenId id) {
    auto* target = screen(id);
    return !target || target->calculateForCurrentTaxpayer();
}

void App::openDividendCredit(const std::string& personCode, double taxableIncome, double dividends) {
    if (!dividendCredit_ || dividendCredit_->text60.text != personCode) {
        dividendCredit_ = std::make_unique<DividendCreditScreen>(ui_, *this);
        dividendCredit_->text60.text = personCode;
    }
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
