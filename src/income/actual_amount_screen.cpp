#include "income/actual_amount_screen.h"

#include "core/amount_text.h"

namespace kakutei {

void ActualAmountScreen::calculate() {
    revenue_ = readIntegerAmount(revenue.text);
    expenses_ = readIntegerAmount(expenses.text);
    // Both fit 32 bits, but their difference need not: compute wide and keep what a 32-bit field can show.
    const std::int64_t difference = std::int64_t{revenue_} - expenses_;
    income_ = difference > INT32_MAX || difference < INT32_MIN ? 0 : static_cast<std::int32_t>(difference);
    revenue.text = formatAmount(revenue_);
    expenses.text = formatAmount(expenses_);
    income.text = formatAmount(income_);
}

void ActualAmountScreen::confirm() {
    host_.setSalaryIncome(formatAmount(income_));
    close();
}

void ActualAmountScreen::clear() {
    revenue.text.clear();
    expenses.text.clear();
    income.text.clear();
}

void ActualAmountScreen::close() {
    ui_.hide(ScreenId::actualAmount);
    ui_.show(ScreenId::income);
}

} // namespace kakutei
