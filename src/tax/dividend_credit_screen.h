#pragma once
// The dividend credit screen (Form10, "配当控除"): the credit from the taxable income and the dividends,
// handed back to line 28 of the tax computation screen. It has no file of its own: the tax computation screen
// that opens it tells it whose figures it works on.

#include "core/field.h"
#include "core/screen_host.h"
#include "core/user_interface.h"

#include <cstdint>
#include <string_view>

namespace kakutei {

namespace dividend_credit {
inline constexpr std::string_view kFormName = "Form10";
inline constexpr std::string_view kCaption = "配当控除";
inline constexpr std::string_view kTaxableIncome = "課税される所得金額(26)";
inline constexpr std::string_view kDividends = "配当所得の金額(5)";
inline constexpr std::string_view kCredit = "配当控除の額";
inline constexpr std::string_view kCalculate = "計算実行";
inline constexpr std::string_view kConfirm = "確　　　認";
inline constexpr std::string_view kClose = "画面削除";
} // namespace dividend_credit

class DividendCreditScreen {
public:
    DividendCreditScreen(UserInterface& ui, ScreenHost& host) : ui_(ui), host_(host) {}

    Field text60;        // the PersonCode whose figures the screen holds, set when it is opened
    Field taxableIncome; // "課税される所得金額(26)"
    Field dividends;     // "配当所得の金額(5)"
    Field credit;        // "配当控除の額"

    void calculate(); // "計算実行"
    // "確　　　認": writes line 28 and discards this screen, so nothing may touch it afterwards; a refused
    // handing leaves it as it was.
    void confirm();
    void close(); // "画面削除"

private:
    UserInterface& ui_;
    ScreenHost& host_;
    std::int32_t credit_ = 0;
};

} // namespace kakutei
