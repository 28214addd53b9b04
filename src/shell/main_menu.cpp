#include "shell/main_menu.h"

#include "core/amount_text.h"
#include "core/person_code.h"
#include "core/taxpayer_record.h"
#include "core/utf8.h"
#include "shell/app.h"
#include "shell/internet_addresses.h"
#include "shell/unsaved_input_question.h"

namespace kakutei {
namespace {

// The screens whose year field start-up fills.
constexpr ScreenId kYearScreens[] = {
    ScreenId::registration,    ScreenId::income,         ScreenId::deductions1, ScreenId::personalDeductions,
    ScreenId::incomeBreakdown, ScreenId::taxComputation, ScreenId::printing,    ScreenId::dataManagement};

// The screens that the call-up hands the code to.
constexpr ScreenId kCodeScreens[] = {ScreenId::income, ScreenId::deductions1, ScreenId::personalDeductions,
                                     ScreenId::incomeBreakdown, ScreenId::taxComputation};

// The screens start-up keeps hidden.
constexpr ScreenId kStartUpScreens[] = {
    ScreenId::registration,    ScreenId::income,         ScreenId::deductions1, ScreenId::personalDeductions,
    ScreenId::incomeBreakdown, ScreenId::taxComputation, ScreenId::actualAmount};

// The screens "画面閉鎖" hides.
constexpr ScreenId kClosableScreens[] = {
    ScreenId::registration,    ScreenId::income,         ScreenId::deductions1,  ScreenId::personalDeductions,
    ScreenId::incomeBreakdown, ScreenId::taxComputation, ScreenId::actualAmount, ScreenId::dividendCredit,
    ScreenId::printing,        ScreenId::dataManagement};

} // namespace

MainMenu::MainMenu(App& app) : taxAccountant(app.store(), app.ui()), app_(app) {
    startUp();
}

void MainMenu::startUp() {
    taxAccountant.loadQuietly();
    yearCode_ = kYearCode;
    // A tree that cannot be made leaves the menu up but skips the rest, without a message.
    if (app_.store().ensureFolders(yearCode_))
        return;
    app_.store().removeInterruptedWrites(yearCode_);
    for (ScreenId id : kYearScreens)
        if (auto* screen = app_.screen(id))
            screen->text100.text = yearCode_;
    for (ScreenId id : kStartUpScreens)
        app_.ui().hide(id);
    display();
}

std::string MainMenu::windowCaption() const {
    return "平成 " + lastCharacters(yearCode_, 2) + " 年分の所得税申告書";
}

std::string MainMenu::label1() const {
    return "平成 " + lastCharacters(yearCode_, 2) + " 年分";
}

void MainMenu::callUp() {
    const auto code = readCode(text3.text).code;
    if (!code)
        return;
    // Calling up reloads these screens: what was typed on them is settled before it is lost.
    if (!askAboutUnsavedInput(app_, kCodeScreens))
        return;
    // The registration screen takes the code either way: registering it is what a new code calls for.
    app_.setRegistrationCode(*code);
    // The client called up before stays current under a code without a readable registration: the screens
    // would show that client's name over this code, and their saves would have no client to go to.
    const TaxpayerRead read = readTaxpayerRecord(app_.store(), *code);
    if (const auto problem = registrationProblem(read, *code)) {
        app_.ui().warn(main_menu::kCallUp, *problem);
        return;
    }
    currentCode_ = *code;
    currentName_ = read.record.name;
    app_.clients().callUp(currentCode_);
    text2.text = currentName_;
    app_.setIncomeCondition(read.record.condition);
    for (ScreenId id : kCodeScreens)
        if (auto* screen = app_.screen(id))
            screen->takeTaxpayer(std::to_string(currentCode_));
    app_.calledUp(currentCode_);
    income();
}

void MainMenu::clearCode() {
    text3.text.clear();
    text2.text.clear();
}

void MainMenu::display() {
    list1 = buildPersonList(app_.store(), currentCode_, currentName_);
}

void MainMenu::clickList(std::size_t index) {
    if (index >= list1.size())
        return;
    // Asked once here: going back must stop the opening below as well as the call-up.
    if (!askAboutUnsavedInput(app_, kCodeScreens))
        return;
    const std::string& entry = list1[index];
    const std::string digits = entry.substr(0, entry.find(main_menu::kListSeparator));
    const auto code = parseNumber(digits);
    text3.text = code ? std::to_string(static_cast<long long>(*code)) : digits;
    callUp();
    income();
}

void MainMenu::open(ScreenId id) {
    if (!askAboutUnsavedInput(app_, {&id, 1}))
        return;
    runAllVisible_ = false;
    auto* screen = app_.screen(id);
    if (!screen)
        return;
    screen->text60.text = std::to_string(currentCode_);
    screen->nenGO();
    screen->clear();
    screen->data();
    app_.ui().show(id);
}

void MainMenu::registration() {
    runAllVisible_ = false;
    app_.openRegistration();
}

void MainMenu::income() {
    open(ScreenId::income);
}
void MainMenu::deductions1() {
    open(ScreenId::deductions1);
}
void MainMenu::deductions2() {
    open(ScreenId::personalDeductions);
}
void MainMenu::taxCredits() {
    open(ScreenId::incomeBreakdown);
}

void MainMenu::taxComputation() {
    constexpr ScreenId tax[] = {ScreenId::taxComputation};
    if (!askAboutUnsavedInput(app_, tax))
        return;
    app_.openTaxComputation();
}

void MainMenu::print() {
    runAllVisible_ = false;
    app_.openPrinting(currentCode_);
}

void MainMenu::dataManagement() {
    runAllVisible_ = false;
    app_.openDataManagement();
}

void MainMenu::quit() {
    if (!app_.settleUnsavedInput())
        return;
    app_.ui().beep();
    app_.ui().quit();
}

void MainMenu::initialScreen() {
    // The screens are hidden by the new menu and cleared at their next opening.
    if (!app_.settleUnsavedInput())
        return;
    // Replaces this object: nothing may touch a member after it.
    app_.recreateMainMenu();
}

void MainMenu::closeScreens() {
    for (ScreenId id : kClosableScreens)
        app_.ui().hide(id);
}

void MainMenu::hideRunAll() {
    runAllVisible_ = false;
}

void MainMenu::runAndRecompute(ScreenId id) {
    // The tax is worked out again only from a record the screen did store: "計算できません" changes nothing.
    if (app_.pressCalculate(id))
        taxComputation();
}

void MainMenu::runIncome() {
    runAndRecompute(ScreenId::income);
}
void MainMenu::runDeductions1() {
    runAndRecompute(ScreenId::deductions1);
}
void MainMenu::runDeductions2() {
    runAndRecompute(ScreenId::personalDeductions);
}
void MainMenu::runTaxCredits() {
    runAndRecompute(ScreenId::incomeBreakdown);
}

namespace {

// The guide, or a message that names where it was looked for: a button that does nothing is no answer.
void openGuide(UserInterface& ui, const std::optional<std::string>& address) {
    if (address) {
        ui.openAddress(*address);
        return;
    }
    std::string places;
    for (const std::string& candidate : userGuideCandidates())
        places += "\n" + candidate;
    ui.warn("使い方ガイドが見つかりません",
            "使い方ガイド（guide.html）が次のどこにもありません。" + places +
                "\nプログラムを入れ直すか、環境変数 KAKUTEI_GUIDE でガイドのファイルを指定して下さい。");
}

} // namespace

void MainMenu::openHomePage() {
    openGuide(app_.ui(), userGuideAddress());
}
void MainMenu::sendMail() {
    app_.ui().openAddress(mailUrl(supportMailAddress()));
}
void MainMenu::openSupportCentre() {
    openGuide(app_.ui(), supportPageAddress());
}

} // namespace kakutei
