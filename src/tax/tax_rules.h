#pragma once
// The tax computation rules of the Heisei 16 return: taxable income, the four-bracket tax, the credits, the
// fixed-rate reduction, the tax to pay or the refund and the deferral. Each rule tells how it arrived at its
// figure when it is handed a Derivation, whose input names follow the rule's parameters.

#include "core/derivation.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kakutei {

// 扶養控除 (line 23) in yen from the dependents' total, which is kept in units of 10,000 yen.
double dependentsDeduction(double tenThousands, Derivation* how = nullptr);
// Down to whole thousands; 0 when the deductions reach the income.
double taxableIncome(double totalIncome, double totalDeductions, Derivation* how = nullptr);
// The tax on a taxable income (a multiple of 1,000).
double incomeTax(double taxable, Derivation* how = nullptr);
// Line 32: the tax less the credits of lines 28 to 31, whole yen, never below 0.
double taxAfterCredits(double tax, double dividend, double line29, double housingLoan,
                       double politicalDonation, Derivation* how = nullptr);
// Line 35: line 32 less disaster relief and the foreign tax credit, never below 0.
double taxAfterRelief(double taxAfterCredits, double relief, Derivation* how = nullptr);
// 定率減税: 20 % of line 35 (which the screen keeps at 0 or above), at most 250,000.
double fixedRateReduction(double taxAfterCredits, Derivation* how = nullptr);
// Line 38: line 35 less the reduction and the tax withheld, down to hundreds when there is tax to pay.
double filedTax(double taxAfterRelief, double reduction, double withheld, Derivation* how = nullptr);
// Lines 40 and 41 from line 38 less the prepaid tax of line 39: the tax to pay, down to hundreds, or the
// refund; the other of the two is 0.
double taxToPay(double filedTax, double prepaid, Derivation* how = nullptr);
double taxRefund(double filedTax, double prepaid, Derivation* how = nullptr);
// Lines 51 and 50 when the payment is deferred: half the tax to pay, down to thousands, is deferred, and the
// rest paid by the filing deadline.
double deferredTax(double taxToPay, Derivation* how = nullptr);
double taxByDeadline(double taxToPay, double deferred, Derivation* how = nullptr);
// 配当控除: 10 % of the dividends, 5 % for the part above a taxable income of 10,000,000; 0 without
// positive dividends.
double dividendCredit(double taxableIncome, double dividends, Derivation* how = nullptr);

enum class HousingLoanPeriod {
    h9ToH10,             // "H9.01.01～H10.12.31に入居"
    h11ToH13June,        // "H11.01.01～H13.06.30に入居"
    h11TransitionChoice, // "H11.01.01～H11.03.31の経過措置選択の方"
    h13JulyToH15,        // "H13.07.01～H15.12.31に入居"
};
// 住宅借入金等控除 for the loan balance at the end of the year, in whole hundreds of yen.
double housingLoanCredit(HousingLoanPeriod period, double balance, Derivation* how = nullptr);
// Why this year gives no housing loan credit at all, in a sentence for the user; nothing when it gives one.
// A move-in of H9 or H10 (by its date or by the period chosen) had its six years by H15, and a total
// income (line 9) above 30,000,000 gives none.
inline constexpr double kHousingLoanIncomeLimit = 30'000'000;
std::optional<std::string> housingLoanRefusal(HousingLoanPeriod period, double moveInYear,
                                              double totalIncome);

} // namespace kakutei
