#pragma once
// How a screen opens or discards a sub-screen, or hands a figure to another screen, without knowing who owns
// it (App does).

#include "core/field.h"
#include "core/user_interface.h"

#include <optional>
#include <string>
#include <vector>

namespace kakutei {

// Why a figure is written into another screen.
enum class Handing {
    // The user's own button hands it over. Between screens that hold different taxpayers it is refused and
    // said; what it writes counts as the user's input until the target's "計算実行" stores it.
    transfer,
    // A load or a clear keeps another screen in step; a screen of another taxpayer is simply left alone.
    followUp,
};

// Where a figure written into another screen comes from: the screen, and the code whose figures it holds
// (as its hidden code field had it when it got them; nothing while it holds nobody's).
struct FigureSource {
    ScreenId screen;
    std::optional<std::string> code;
    Handing handing = Handing::transfer;
};

// One line of the tax computation screen (Form7), by the return's line number.
struct LineFigure {
    int line;
    Field field;
};

class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    // Creates the screen if it does not exist yet, and shows it.
    virtual void openScreen(ScreenId screen) = 0;
    // Hides the screen and discards it; the next opening creates it anew.
    virtual void discardScreen(ScreenId screen) = 0;

    // Binds the actual-amount screen (Form8) to the taxpayer whose income screen opens it and writes its
    // "収 入 金 額"; what it held for another taxpayer is dropped.
    virtual void setActualAmountRevenue(const std::string& personCode, const std::string& amountText) = 0;
    // These write into another screen unless it holds another taxpayer's figures than `from` (a screen that
    // holds nobody's yet takes them, as it loads its own before it shows or stores anything); they return
    // false when they refused a transfer. The target does not recalculate: its "計算実行" stores the value.
    virtual bool setSalaryIncome(const FigureSource& from, const std::string& amountText) = 0; // Form3 6
    virtual bool setDeductionsTotalIncome(const FigureSource& from,
                                          const std::string& amountText) = 0; // Form4 "所得金額"
    // Lines of Form7, all or none: 21 配偶者控除, 22 配偶者特別控除, 28 配当控除, 30 住宅借入金等控除,
    // 37 源泉徴収税額, 42 配偶者合計所得.
    virtual bool setTaxComputationLines(const FigureSource& from, const std::vector<LineFigure>& lines) = 0;

    // Before the program ends: asks about the typed input of every screen that "計算実行" has not stored.
    // False when the user went back, or a save failed: the program must go on.
    virtual bool settleUnsavedInput() = 0;

    // Presses "計算実行" of a data screen ("各データの実行"); false when it stored nothing.
    virtual bool pressCalculate(ScreenId screen) = 0;
    // Opens the dividend credit screen (Form10) for this code on these two amounts and computes, making it
    // anew when it held another taxpayer's figures.
    virtual void openDividendCredit(const std::string& personCode, double taxableIncome,
                                    double dividends) = 0;
    // Opens the housing loan screen (Form14) for this code and year: クリア, DATA, show.
    virtual void openHousingLoan(const std::string& personCode, const std::string& yearCode) = 0;
};

} // namespace kakutei
