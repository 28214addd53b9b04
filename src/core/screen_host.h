#pragma once
// How a screen opens or discards a sub-screen without knowing who owns it (App does).

#include "core/field.h"
#include "core/user_interface.h"

#include <string>

namespace kakutei {

class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    // Creates the screen if it does not exist yet, and shows it.
    virtual void openScreen(ScreenId screen) = 0;
    // Hides the screen and discards it; the next opening creates it anew.
    virtual void discardScreen(ScreenId screen) = 0;

    // Writes into a field of another screen. The target screen does not recalculate: its own
    // "計算実行" stores the value.
    virtual void setActualAmountRevenue(const std::string& amountText) = 0;   // Form8 "収 入 金 額"
    virtual void setSalaryIncome(const std::string& amountText) = 0;          // Form3 income 6
    virtual void setDeductionsTotalIncome(const std::string& amountText) = 0; // Form4 "所得金額"
    // A line of the tax computation screen (Form7), by the return's line number: 21 配偶者控除,
    // 22 配偶者特別控除, 28 配当控除, 30 住宅借入金等控除, 37 源泉徴収税額, 42 配偶者合計所得.
    virtual void setTaxComputationLine(int line, const Field& field) = 0;

    // Before the program ends: asks about the typed input of every screen that "計算実行" has not stored.
    // False when the user went back, or a save failed: the program must go on.
    virtual bool settleUnsavedInput() = 0;

    // Presses "計算実行" of a data screen ("各データの実行").
    virtual void pressCalculate(ScreenId screen) = 0;
    // Opens the dividend credit screen (Form10) on these two amounts and computes, making it if needed.
    virtual void openDividendCredit(double taxableIncome, double dividends) = 0;
    // Opens the housing loan screen (Form14) for this code and year: クリア, DATA, show.
    virtual void openHousingLoan(const std::string& personCode, const std::string& yearCode) = 0;
};

} // namespace kakutei
