#pragma once
// The income rules of the Heisei 16 return that the income screen applies: public pension income, the
// salary income table and the combined transfer and occasional income of line 8.

#include <cstdint>

namespace kakutei {

// PublicPensionIncome from the revenue of row キ; the elderly table when the taxpayer is 老年者.
// May carry tenths of a yen.
double publicPensionIncome(double revenue, bool elderly);

// The revenue reduced to the amount the salary table is read at (whole yen, steps of 1,000, 2,000 or 4,000
// between 1,619,000 and 6,600,000).
std::int64_t salaryTableAmount(double revenue);
// SalaryIncome: income 6 from the table amount.
double salaryIncome(std::int64_t tableAmount);

// TransferOccasionalIncome: line 8 from the short-term, long-term and occasional amounts.
double transferOccasionalIncome(double shortTerm, double longTerm, double occasional);

// Whole yen with halves to even, the rounding of every floating amount that becomes an integer.
std::int64_t wholeYen(double value);

} // namespace kakutei
