#pragma once
// The sections of an explanation, one function per screen, in the order the return is computed: the
// tax computation's lines that come from the other screens refer to their lines already explained.

#include "explain/explanation.h"
#include "explain/return_figures.h"

namespace kakutei {

// 収入金額等 (rows ア to サ) and 所得金額 (lines 1 to 9).
void explainIncome(const ReturnFigures& figures, Explanation& explanation);
// 所得控除: the deductions (1) screen's results and the personal deductions screen's amounts.
void explainDeductions(const ReturnFigures& figures, Explanation& explanation);
// 税額の計算: lines 9 to 53.
void explainTaxComputation(const ReturnFigures& figures, Explanation& explanation);

// The total income as the deduction and tax screens read it: line 9, shown in whole yen.
double shownTotalIncome(const ReturnFigures& figures);

} // namespace kakutei
