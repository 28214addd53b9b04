#include "income/actual_amount_screen.h"

#include "core/amount_text.h"
#include "core/wide_result.h"

namespace kakutei {

void ActualAmountScreen::calculate() {
    revenue_ = readIntegerAmount(revenue.text);
    expenses_ = readIntegerAmount(expenses.text);
    // Both fit 32 bits, but their difference need not: such a result is refused, never shown as 0.
    WideResults results;
    const std::int32_t difference = results.fit(std::int64_t{revenue_} - expenses_, "所得金額");
    if (!results.ok()) {
        results.report(ui_);
        return;
    }
    income_ = difference;
    revenue.text = formatAmount(revenue_);
    expenses.text = formatAmount(expenses_);
    income.text = formatAmount(income_);
}

void ActualAmountScreen::confirm() {
    if (host_.setSalaryIncome({ScreenId::actualAmount, text60.text}, formatAmount(income_)))
        close();
}

void ActualAmountScreen::clear() {
    revenue.text.clear();
    expenses.text.clear();
    income.text.clear();
}

void ActualAmountScreen::takeTaxpayer(const std::string& code) {
    if (text60.text == code)
        return;
    clear();
    revenue_ = 0;
    expenses_ = 0;
    income_ = 0;
    text60.text = code;
}

void ActualAmountScreen::close() {
    ui_.hide(ScreenId::actualAmount);
    ui_.show(ScreenId::income);
}

} // namespace kakutei
