#pragma once
// The tax computation rules of the Heisei 16 return: taxable income, the four-bracket tax, the fixed-rate
// reduction, the dividend credit and the housing loan credit.

#include <cstdint>

namespace kakutei {

// Down to whole thousands; 0 when the deductions reach the income.
double taxableIncome(double totalIncome, double totalDeductions);
// The tax on a taxable income (a multiple of 1,000).
double incomeTax(double taxable);
// 定率減税: 20 % of line 35 (which the screen keeps at 0 or above), at most 250,000.
double fixedRateReduction(double taxAfterCredits);
// 配当控除: 10 % of the dividends, 5 % for the part above a taxable income of 10,000,000; 0 without
// positive dividends.
double dividendCredit(double taxableIncome, double dividends);

enum class HousingLoanPeriod {
    h9ToH10,             // "H9.01.01～H10.12.31に入居"
    h11ToH13June,        // "H11.01.01～H13.06.30に入居"
    h11TransitionChoice, // "H11.01.01～H11.03.31の経過措置選択の方"
    h13JulyToH15,        // "H13.07.01～H15.12.31に入居"
};
// 住宅借入金等控除 for the loan balance at the end of the year.
double housingLoanCredit(HousingLoanPeriod period, double balance);

} // namespace kakutei
