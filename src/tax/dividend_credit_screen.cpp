#include "tax/dividend_credit_screen.h"

#include "core/amount_text.h"
#include "tax/tax_rules.h"

namespace kakutei {

namespace {
constexpr int kDividendCreditLine = 28;
}

void DividendCreditScreen::calculate() {
    const std::int32_t a = readIntegerAmount(taxableIncome.text);
    const std::int32_t b = readIntegerAmount(dividends.text);
    credit_ = static_cast<std::int32_t>(dividendCredit(a, b));
    credit.text = formatAmount(credit_);
    dividends.text = formatAmount(b);
}

void DividendCreditScreen::confirm() {
    host_.setTaxComputationLine(kDividendCreditLine, Field{formatAmount(credit_)});
    ui_.show(ScreenId::taxComputation);
    host_.discardScreen(ScreenId::dividendCredit);
}

void DividendCreditScreen::close() { ui_.hide(ScreenId::dividendCredit); }

} // namespace kakutei
