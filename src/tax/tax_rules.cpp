#include "tax/tax_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kakutei {

double taxableIncome(double totalIncome, double totalDeductions) {
    const double difference = totalIncome - totalDeductions;
    if (!(difference > 0))
        return 0;
    // Far beyond any yen figure there are no thousands left to round to, and the rounding could overflow.
    if (difference >= 0x1p62)
        return std::min(difference, std::numeric_limits<double>::max());
    return std::floor(difference / 1'000) * 1'000;
}

double incomeTax(double t) {
    if (t < 3'300'000)
        return std::floor(t * 0.10);
    if (t < 9'000'000)
        return std::floor(t * 0.20) - 330'000;
    if (t < 18'000'000)
        return std::floor(t * 0.30) - 1'230'000;
    return std::floor(t * 0.37) - 2'490'000;
}

double fixedRateReduction(double taxAfterCredits) {
    const double r = std::floor(taxAfterCredits * 0.2);
    // Line 35 is never below 0 on the screen; for any other input the reduction still stays within its range.
    if (!(r > 0))
        return 0;
    return r > 250'000 ? 250'000 : r;
}

double dividendCredit(double a, double b) {
    // A dividend loss gives no credit, and no credit adds to the tax.
    if (!(b > 0))
        return 0;
    if (a <= 10'000'000)
        return std::floor(b * 0.1);
    const double e = a - 10'000'000;
    if (b <= e)
        return std::floor(b * 0.05);
    return std::nearbyint(std::floor((b - e) * 0.1) + std::floor(e * 0.05));
}

double housingLoanCredit(HousingLoanPeriod period, double b) {
    if (!(b > 0))
        return 0;
    if (period == HousingLoanPeriod::h9ToH10 || period == HousingLoanPeriod::h11TransitionChoice) {
        if (b <= 20'000'000)
            return std::floor(b / 100);
        if (b <= 30'000'000)
            return std::floor(b * 0.5 / 100) + 100'000;
        return 250'000;
    }
    return b <= 50'000'000 ? std::floor(b / 100) : 500'000;
}

} // namespace kakutei
