#pragma once
// The only way a screen reaches the person at the keyboard. The window program answers with Qt, the batch
// commands with standard error, and the tests with a recording fake.

#include <string_view>

namespace kakutei {

enum class ScreenId {
    mainMenu,           // Form1
    registration,       // Form2
    income,             // Form3
    deductions1,        // Form4
    personalDeductions, // Form5
    incomeBreakdown,    // Form6
    taxComputation,     // Form7
    actualAmount,       // Form8
    dividendCredit,     // Form10
    printing,           // Form11
    dataManagement,     // Form12
    yearEndImport,      // Form13
    housingLoan,        // Form14
};

const char* formName(ScreenId screen);

// The answers to whether typed input is stored before it would be lost.
enum class Choice {
    store,
    discard,
    back, // the action is not done
};
inline constexpr std::string_view kStoreCaption = "保存する";
inline constexpr std::string_view kDiscardCaption = "保存しない";
inline constexpr std::string_view kBackCaption = "戻る";

class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual void warn(std::string_view title, std::string_view body) = 0;     // warning icon, OK
    virtual bool ask(std::string_view title, std::string_view body) = 0;      // question icon, OK / Cancel
    virtual Choice choose(std::string_view title, std::string_view body) = 0; // question icon, three answers
    virtual void beep() = 0;
    virtual void show(ScreenId screen) = 0;
    virtual void hide(ScreenId screen) = 0;
    virtual void openAddress(std::string_view address) = 0;
    virtual void quit() = 0;
};

// Shows nothing and answers every question with Cancel (or 戻る): for code that runs the screens with nobody
// at the keyboard (benchmarks, fuzzing, long runs).
class SilentUserInterface : public UserInterface {
public:
    void warn(std::string_view, std::string_view) override {}
    bool ask(std::string_view, std::string_view) override { return false; }
    Choice choose(std::string_view, std::string_view) override { return Choice::back; }
    void beep() override {}
    void show(ScreenId) override {}
    void hide(ScreenId) override {}
    void openAddress(std::string_view) override {}
    void quit() override {}
};

} // namespace kakutei
