#include "core/user_interface.h"

namespace kakutei {

const char* formName(ScreenId screen) {
    switch (screen) {
    case ScreenId::mainMenu:
        return "Form1";
    case ScreenId::registration:
        return "Form2";
    case ScreenId::income:
        return "Form3";
    case ScreenId::deductions1:
        return "Form4";
    case ScreenId::personalDeductions:
        return "Form5";
    case ScreenId::incomeBreakdown:
        return "Form6";
    case ScreenId::taxComputation:
        return "Form7";
    case ScreenId::actualAmount:
        return "Form8";
    case ScreenId::dividendCredit:
        return "Form10";
    case ScreenId::printing:
        return "Form11";
    case ScreenId::dataManagement:
        return "Form12";
    case ScreenId::yearEndImport:
        return "Form13";
    case ScreenId::housingLoan:
        return "Form14";
    }
    return "";
}

} // namespace kakutei
