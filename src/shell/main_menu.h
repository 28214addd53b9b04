#pragma once
// The main menu (Form1): start-up, the person list, the current taxpayer and the doors to every screen.

#include "core/data_store.h"
#include "core/field.h"
#include "core/taxpayer_record.h"
#include "shell/tax_accountant_panel.h"

#include <string>
#include <string_view>
#include <vector>

namespace kakutei {

class App;

namespace main_menu {
inline constexpr std::string_view kFormName = "Form1";
inline constexpr std::string_view kFormLabel = "申告書Ｂ様式専用";
inline constexpr std::string_view kCallUp = "個人呼出";
inline constexpr std::string_view kClear = "C";
inline constexpr std::string_view kDisplay = "表　　示";
inline constexpr std::string_view kRegistration = "個人登録";
inline constexpr std::string_view kIncome = "所得金額";
inline constexpr std::string_view kDeductions1 = "所得控除(1)";
inline constexpr std::string_view kDeductions2 = "所得控除(2)";
inline constexpr std::string_view kTaxCredits = "税額控除";
inline constexpr std::string_view kTaxComputation = "税額の計算";
inline constexpr std::string_view kPrint = "印　　刷";
inline constexpr std::string_view kData = "データ";
inline constexpr std::string_view kQuit = "終　　　了";
inline constexpr std::string_view kInitialScreen = "初期画面";
inline constexpr std::string_view kCloseScreens = "画面閉鎖";
inline constexpr std::string_view kHideRunAll = "各種実行の非表示";
inline constexpr std::string_view kRunIncome = "所得金額の実行";
inline constexpr std::string_view kRunDeductions1 = "所得控除(1)の実行";
inline constexpr std::string_view kRunDeductions2 = "所得控除(2)の実行";
inline constexpr std::string_view kRunTaxCredits = "税額控除の実行";
inline constexpr std::string_view kInternetFrame = "インターネット接続";
inline constexpr std::string_view kHomePage = "ホームページ";
inline constexpr std::string_view kSendMail = "メールを出す";
inline constexpr std::string_view kSupportCentre = "サポートセンターへ接続";
inline constexpr std::string_view kListSeparator = " : ";
} // namespace main_menu

class MainMenu {
public:
    // Runs the start-up sequence.
    explicit MainMenu(App& app);

    Field text3;                    // Text3: the code box
    Field text2;                    // Text2: the name, read-only
    std::vector<std::string> list1; // List1: the person list
    TaxAccountantPanel taxAccountant;

    const std::string& yearCode() const { return yearCode_; }
    std::string windowCaption() const; // "平成 16 年分の所得税申告書"
    std::string label1() const;        // Label1: "平成 16 年分"
    PersonCode currentPersonCode() const { return currentCode_; }
    const std::string& currentName() const { return currentName_; }
    bool runAllVisible() const { return runAllVisible_; }

    void callUp();    // "個人呼出"
    void clearCode(); // "C"
    void display();   // "表　　示"
    void clickList(std::size_t index);
    void registration();   // "個人登録"
    void income();         // "所得金額"
    void deductions1();    // "所得控除(1)"
    void deductions2();    // "所得控除(2)"
    void taxCredits();     // "税額控除"
    void taxComputation(); // "税額の計算"
    void print();          // "印　　刷"
    void dataManagement(); // "データ"
    void quit();           // "終　　　了", and the window's close box
    void initialScreen();  // "初期画面"
    void closeScreens();   // "画面閉鎖"
    void hideRunAll();     // "各種実行の非表示"
    void runIncome();      // "所得金額の実行"
    void runDeductions1(); // "所得控除(1)の実行"
    void runDeductions2(); // "所得控除(2)の実行"
    void runTaxCredits();  // "税額控除の実行"
    void openHomePage();
    void sendMail();          // "メールを出す"
    void openSupportCentre(); // "サポートセンターへ接続"

private:
    void startUp();
    void open(ScreenId screen); // the opening protocol of a data screen
    void runAndRecompute(ScreenId screen);

    App& app_;
    std::string yearCode_;
    PersonCode currentCode_ = 0;
    std::string currentName_;
    bool runAllVisible_ = true;
};

} // namespace kakutei
