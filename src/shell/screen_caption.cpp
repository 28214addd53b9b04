#include "shell/screen_caption.h"

#include "deductions/deductions_screen.h"
#include "deductions/personal_deductions_screen.h"
#include "income/actual_amount_screen.h"
#include "income/income_breakdown_screen.h"
#include "income/income_screen.h"
#include "print/printing_screen.h"
#include "tax/dividend_credit_screen.h"
#include "tax/housing_loan_screen.h"
#include "tax/tax_computation_screen.h"

namespace kakutei {

std::string_view screenCaption(ScreenId id) {
    switch (id) {
    case ScreenId::income:
        return income_screen::kCaption;
    case ScreenId::deductions1:
        return deductions1::kCaption;
    case ScreenId::personalDeductions:
        return personal_deductions::kCaption;
    case ScreenId::incomeBreakdown:
        return income_breakdown::kCaption;
    case ScreenId::taxComputation:
        return tax_computation::kCaption;
    case ScreenId::actualAmount:
        return actual_amount::kCaption;
    case ScreenId::dividendCredit:
        return dividend_credit::kCaption;
    case ScreenId::housingLoan:
        return housing_loan::kCaption;
    case ScreenId::printing:
        return printing::kCaption;
    default:
        return formName(id);
    }
}

} // namespace kakutei
