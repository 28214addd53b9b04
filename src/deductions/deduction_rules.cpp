#include "deductions/deduction_rules.h"

#include "income/income_rules.h"

#include <algorithm>
#include <limits>

namespace kakutei {

std::int64_t floorDivide(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0)))
        --quotient;
    return quotient;
}

namespace {

// Sums and differences of two 64-bit amounts are formed wide and brought back within 64 bits, so that no
// input, however absurd, can overflow into a wrong sign.
__extension__ typedef __int128 Wide;

std::int64_t toInt64(Wide value) {
    return static_cast<std::int64_t>(std::clamp<Wide>(value, std::numeric_limits<std::int64_t>::min(),
                                                      std::numeric_limits<std::int64_t>::max()));
}

} // namespace

std::int64_t casualtyLossDeduction(std::int64_t loss, std::int64_t reimbursed, std::int64_t disasterExpenses,
                                   std::int64_t totalIncome) {
    // In a loss year the threshold is that of an income of 0: a negative income must not create a deduction.
    const Wide a = (Wide{loss} - reimbursed) - floorDivide(std::max<std::int64_t>(totalIncome, 0), 10);
    const Wide b = Wide{disasterExpenses} - 50'000;
    return toInt64(std::max({a, b, Wide{0}}));
}

std::int64_t medicalExpenseDeduction(std::int64_t paid, std::int64_t reimbursed, std::int64_t totalIncome) {
    // floor(income × 5 / 100) is floor(income / 20), which cannot overflow.
    const std::int64_t threshold =
        std::min<std::int64_t>(floorDivide(std::max<std::int64_t>(totalIncome, 0), 20), 100'000);
    return toInt64(std::clamp<Wide>((Wide{paid} - reimbursed) - threshold, 0, kMedicalExpenseCap));
}

std::int64_t lifePremiumAmount(std::int64_t x) {
    // Premiums below 0 (a refund typed with a minus) give no deduction, never a negative one.
    if (x <= 0)
        return 0;
    if (x <= 25'000)
        return x;
    if (x <= 50'000)
        return x / 2 + 12'500;
    if (x <= 100'000)
        return x / 4 + 25'000;
    return 50'000;
}

std::int64_t longTermNonLifeAmount(std::int64_t x) {
    if (x <= 0)
        return 0;
    if (x <= 10'000)
        return x;
    if (x < 20'000)
        return x / 2 + 5'000;
    return 15'000;
}

std::int64_t shortTermNonLifeAmount(std::int64_t x) {
    if (x <= 0)
        return 0;
    if (x <= 2'000)
        return x;
    if (x < 4'000)
        return x / 2 + 1'000;
    return 3'000;
}

std::int64_t nonLifeDeduction(std::int64_t longTerm, std::int64_t shortTerm) {
    return std::min<std::int64_t>(longTermNonLifeAmount(longTerm) + shortTermNonLifeAmount(shortTerm),
                                  15'000);
}

std::int64_t donationDeduction(std::int64_t specifiedDonations, std::int64_t totalIncome) {
    // floor(income × 25 / 100) is floor(income / 4), which cannot overflow.
    const std::int64_t cap = floorDivide(totalIncome, 4);
    return toInt64(std::max<Wide>(Wide{std::min(specifiedDonations, cap)} - 10'000, 0));
}

std::int64_t spouseSalaryIncome(std::int64_t revenue) {
    return wholeYen(salaryIncome(salaryTableAmount(static_cast<double>(revenue))));
}

std::int64_t specialSpouseDeduction(std::int64_t t) {
    // From Heisei 16 the part that stacked on the spouse deduction is gone: a spouse whose total income
    // is 380,000 or less gives the spouse deduction only.
    if (t <= 380'000)
        return 0;
    struct Band {
        std::int64_t below;
        std::int64_t deduction;
    };
    static constexpr Band kBands[] = {
        {400'000, 380'000}, {450'000, 360'000}, {500'000, 310'000}, {550'000, 260'000}, {600'000, 210'000},
        {650'000, 160'000}, {700'000, 110'000}, {750'000, 60'000},  {760'000, 30'000},
    };
    for (const Band& band : kBands)
        if (t < band.below)
            return band.deduction;
    return 0;
}

} // namespace kakutei
