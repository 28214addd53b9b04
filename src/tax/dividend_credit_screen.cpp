#include "tax/dividend_credit_screen.h"

#include "core/amount_text.h"
#include "core/wide_result.h"
#include "income/income_rules.h"
#include "tax/tax_rules.h"

namespace kakutei {

namespace {
constexpr int kDividendCreditLine = 28;
}

void DividendCreditScreen::calculate() {
    // Read wide: a taxable income beyond 32 bits must not read as 0 and earn the 10 % rate.
    const double a = readAmount(taxableIncome.text);
    const double b = readAmount(dividends.text);
    WideResults results;
    const std::int32_t computed = results.fit(wholeYen(dividendCredit(a, b)), "配当控除の額");
    if (!results.ok()) {
        results.report(ui_);
        return;
    }
    credit_ = computed;
    credit.text = formatAmount(credit_);
    dividends.text = formatAmount(b);
}

void DividendCreditScreen::confirm() {
    if (!host_.setTaxComputationLines({ScreenId::dividendCredit, text60.text},
                                      {{kDividendCreditLine, Field{formatAmount(credit_)}}}))
        return;
    ui_.show(ScreenId::taxComputation);
    host_.discardScreen(ScreenId::dividendCredit);
}

void DividendCreditScreen::close() {
    ui_.hide(ScreenId::dividendCredit);
}

} // namespace kakutei
