#pragma once
// App owns every screen, the data store and the user interface for the program's whole run. Screens reach
// each other's buttons through it.

#include "core/data_screen.h"
#include "core/data_store.h"
#include "core/screen_host.h"
#include "core/user_interface.h"
#include "shell/client_access.h"

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kakutei {

class ActualAmountScreen;
class DividendCreditScreen;
class IncomeBreakdownScreen;
class IncomeScreen;
class MainMenu;
class RegistrationScreen;
class YearEndImportScreen;

class App : public ScreenHost {
public:
    App(DataStore& store, UserInterface& ui);
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Creates the main menu, which runs the start-up sequence.
    void start();
    // "初期画面": the main menu is hidden, discarded and made anew.
    void recreateMainMenu();

    DataStore& store() { return store_; }
    UserInterface& ui() { return ui_; }
    MainMenu& mainMenu() { return *mainMenu_; }
    // The clients this program has open, and the gate every save of a client's files passes.
    ClientAccess& clients() { return clients_; }

    RegistrationScreen& registration() { return *registration_; }
    ActualAmountScreen& actualAmount() { return *actualAmount_; }
    // The screen behind `id` as its own type; nullptr when another kind of screen stands in its place
    // (the main menu's tests install recording stand-ins).
    template <typename Screen> Screen* screenAs(ScreenId id) { return dynamic_cast<Screen*>(screen(id)); }
    // The import screen while it is open, else nullptr.
    YearEndImportScreen* yearEndImport() { return yearEndImport_.get(); }
    // The dividend credit screen while it exists (made by its first opening, discarded by "確　　　認").
    DividendCreditScreen* dividendCredit() { return dividendCredit_.get(); }

    void openScreen(ScreenId screen) override;
    void discardScreen(ScreenId screen) override;
    void setActualAmountRevenue(const std::string& personCode, const std::string& amountText) override;
    bool setSalaryIncome(const FigureSource& from, const std::string& amountText) override;
    bool setDeductionsTotalIncome(const FigureSource& from, const std::string& amountText) override;
    bool setTaxComputationLines(const FigureSource& from, const std::vector<LineFigure>& lines) override;
    bool settleUnsavedInput() override;
    bool pressCalculate(ScreenId screen) override;
    void openDividendCredit(const std::string& personCode, double taxableIncome, double dividends) override;
    void openHousingLoan(const std::string& personCode, const std::string& yearCode) override;

    // The data screen behind `id`, or nullptr while the program has none.
    DataScreen* screen(ScreenId id);
    // Takes a screen into the program in place of the one it has; it lives until the program ends.
    void install(std::unique_ptr<DataScreen> screen);

    // A client's files changed under its windows (a delete, a restore, a code change): every window bound to
    // the client shows what is stored now, and those without a file of their own close.
    void clientChanged(PersonCode code);
    // The main menu called a client up: the windows that still hold the previous one's figures and are not
    // reloaded with the data screens close.
    void calledUp(PersonCode code);

    // Cross-screen writes of the main menu's call-up.
    void setRegistrationCode(PersonCode code);
    void setIncomeCondition(const std::string& condition);

    // The opening variations that need more than the common protocol.
    void openRegistration();
    void openTaxComputation();
    void openPrinting(PersonCode code);
    void openDataManagement();

private:
    void closeFigureScreens(const std::function<bool(const std::string& heldCode)>& closes);
    // Writes `figures` into fields of `target` when it holds the taxpayer `from` holds. False when a transfer
    // was refused, which the user is told.
    bool handOver(const FigureSource& from, DataScreen& target,
                  const std::vector<std::pair<Field*, Field>>& figures);

    static constexpr std::size_t kScreenCount = static_cast<std::size_t>(ScreenId::housingLoan) + 1;
    DataStore& store_;
    UserInterface& ui_;
    ClientAccess clients_{store_, ui_};
    std::array<std::unique_ptr<DataScreen>, kScreenCount> screens_;
    RegistrationScreen* registration_ = nullptr;
    std::unique_ptr<ActualAmountScreen> actualAmount_;
    std::unique_ptr<DividendCreditScreen> dividendCredit_;
    std::unique_ptr<DividendCreditScreen> retiredDividendCredit_; // discarded from inside its own button
    std::unique_ptr<YearEndImportScreen> yearEndImport_;
    std::unique_ptr<YearEndImportScreen> retiredYearEndImport_; // discarded from inside its own button
    std::unique_ptr<DataScreen> retiredDataManagement_;         // replaced from inside its own button
    std::unique_ptr<MainMenu> mainMenu_;
    // The menu that "初期画面" replaced: kept until the next replacement, because the replacement runs
    // from inside one of its buttons.
    std::unique_ptr<MainMenu> retiredMainMenu_;
};

} // namespace kakutei
