#pragma once
// The income rules of the Heisei 16 return that the income screen applies: public pension income, the
// salary income table and the combined transfer and occasional income of line 8. Each rule tells how it
// arrived at its figure when it is handed a Derivation.

#include "core/derivation.h"

#include <cstdint>

namespace kakutei {

// PublicPensionIncome from the revenue of row キ; the elderly table when the taxpayer is 老年者.
// May carry tenths of a yen.
double publicPensionIncome(double revenue, bool elderly, Derivation* how = nullptr);

// The revenue reduced to the amount the salary table is read at (whole yen, steps of 1,000, 2,000 or 4,000
// between 1,619,000 and 6,600,000).
std::int64_t salaryTableAmount(double revenue, Derivation* how = nullptr);
// SalaryIncome: income 6 from the table amount.
double salaryIncome(std::int64_t tableAmount, Derivation* how = nullptr);
// Income 6 from the salary revenue: the table amount, then the table; not yet rounded to whole yen.
double salaryIncomeFromRevenue(double revenue, Derivation* how = nullptr);

// The transfer and occasional gains after their special deductions and before the half: a loss on one
// kind of transfer taken from the other's gain first, an occasional loss taken as 0, and what is left of a
// transfer loss taken from the occasional gain. Each gain is 0 or more; `loss` is what no gain covered.
struct TransferGains {
    double shortTerm;
    double longTerm;
    double occasional;
    double loss; // 0 or less
};
TransferGains transferGains(double shortTerm, double longTerm, double occasional, Derivation* how = nullptr);

// TransferOccasionalIncome: line 8 from the short-term, long-term and occasional amounts (0 for a loss).
double transferOccasionalIncome(double shortTerm, double longTerm, double occasional,
                                Derivation* how = nullptr);

// Line 9 where line 8 comes from the short-term, long-term and occasional amounts: a loss of lines 1 to 7
// (`ordinary`) is taken from the short-term gain, then the long-term, then the occasional one, before
// their half. Without such a loss it comes to `ordinary` plus line 8.
// Whether line 9 takes the loss of lines 1 to 7 (`ordinary`) from the transfer and occasional gains: only
// where line 8 was worked out from ケ, コ and サ does the total know them; a line 8 typed as it stands is
// added as it is.
bool lossMeetsTransfer(double ordinary, double shortTerm, double longTerm, double occasional, double line8);
double totalIncomeWithTransfer(double ordinary, double shortTerm, double longTerm, double occasional,
                               Derivation* how = nullptr);

// Whole yen with halves to even, the rounding of every floating amount that becomes an integer.
std::int64_t wholeYen(double value);

} // namespace kakutei
