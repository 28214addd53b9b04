#include "shell/app.h"

#include "registry/registration_screen.h"
#include "registry/year_end_import_screen.h"
#include "shell/main_menu.h"

namespace kakutei {

App::App(DataStore& store, UserInterface& ui) : store_(store), ui_(ui) {
    auto registration = std::make_unique<RegistrationScreen>(store_, ui_, *this);
    registration_ = registration.get();
    install(std::move(registration));
}

App::~App() = default;

void App::start() { mainMenu_ = std::make_unique<MainMenu>(*this); }

void App::recreateMainMenu() {
    ui_.hide(ScreenId::mainMenu);
    retiredMainMenu_ = std::move(mainMenu_);
    mainMenu_ = std::make_unique<MainMenu>(*this);
    ui_.show(ScreenId::mainMenu);
}

DataScreen* App::screen(ScreenId id) { return screens_[static_cast<std::size_t>(id)].get(); }

void App::install(std::unique_ptr<DataScreen> screen) {
    const auto index = static_cast<std::size_t>(screen->id());
    screens_[index] = std::move(screen);
}

void App::openScreen(ScreenId id) {
    if (id == ScreenId::yearEndImport && !yearEndImport_)
        yearEndImport_ = std::make_unique<YearEndImportScreen>(store_, ui_, *this, *registration_);
    ui_.show(id);
}

void App::discardScreen(ScreenId id) {
    ui_.hide(id);
    if (id == ScreenId::yearEndImport)
        retiredYearEndImport_ = std::move(yearEndImport_);
}

void App::setRegistrationCode(PersonCode code) { registration_->text25.text = std::to_string(code); }

void App::setIncomeCondition(const std::string&) {}

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
        ui_.show(ScreenId::taxComputation);
    }
}

void App::openPrinting(PersonCode code) {
    if (auto* printing = screen(ScreenId::printing)) {
        printing->text60.text = std::to_string(code);
        printing->nenGO();
        printing->data();
        ui_.show(ScreenId::printing);
    }
}

void App::openDataManagement() {
    if (screen(ScreenId::dataManagement))
        ui_.show(ScreenId::dataManagement);
}

} // namespace kakutei
