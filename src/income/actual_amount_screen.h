#pragma once
// The actual-amount screen (Form8, "給与等の実額計算"): salary income as revenue minus the expenses actually
// incurred, handed to income 6 of the income screen. It has no file of its own: the income screen that
// opens it tells it whose figures it works on.

#include "core/field.h"
#include "core/screen_host.h"
#include "core/user_interface.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kakutei {

namespace actual_amount {
inline constexpr std::string_view kFormName = "Form8";
inline constexpr std::string_view kCaption = "給与等の実額計算";
inline constexpr std::string_view kRevenue = "収 入 金 額";
inline constexpr std::string_view kExpenses = "必 要 経 費";
inline constexpr std::string_view kIncome = "所 得 金 額";
inline constexpr std::string_view kCalculate = "実額計算実行";
inline constexpr std::string_view kConfirm = "確認実行";
inline constexpr std::string_view kClear = "クリア";
inline constexpr std::string_view kClose = "画　面　消　去";
} // namespace actual_amount

class ActualAmountScreen {
public:
    ActualAmountScreen(UserInterface& ui, ScreenHost& host) : ui_(ui), host_(host) {}

    Field text60;   // the PersonCode whose figures the screen holds, set by the income screen that opens it
    Field revenue;  // "収 入 金 額", filled by the income screen
    Field expenses; // "必 要 経 費"
    Field income;   // "所 得 金 額", the result

    void calculate(); // "実額計算実行": 32-bit arithmetic, no lower limit
    void confirm();   // "確認実行": a refused handing leaves the screen open
    void clear();     // "クリア": the values in memory stay
    void close();     // "画　面　消　去"
    // Opened for a taxpayer: figures it held for another one are dropped, those in memory too.
    void takeTaxpayer(const std::string& code);

private:
    UserInterface& ui_;
    ScreenHost& host_;
    std::int32_t revenue_ = 0;
    std::int32_t expenses_ = 0;
    std::int32_t income_ = 0;
};

} // namespace kakutei
