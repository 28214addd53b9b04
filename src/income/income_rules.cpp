#include "income/income_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kakutei {
namespace {

// T(x): down to tenths of a yen, as the pension table is applied.
double truncateToTenths(double product) {
    // Beyond 10^15 a double holds no tenths to drop, and × 10 could overflow.
    if (!(std::fabs(product) < 1e15))
        return product;
    return std::floor(product * 10) / 10;
}

struct PensionBand {
    double from;
    double rate;
    double deduction;
};

double pensionFromBands(double revenue, double zeroBelow, double flatBelow, const PensionBand (&bands)[3]) {
    if (revenue < zeroBelow)
        return 0;
    if (revenue < flatBelow)
        return revenue - zeroBelow;
    const PensionBand* band = &bands[0];
    for (const PensionBand& candidate : bands)
        if (revenue >= candidate.from)
            band = &candidate;
    return truncateToTenths(revenue * band->rate) - band->deduction;
}

} // namespace

std::int64_t wholeYen(double value) {
    if (!std::isfinite(value))
        return 0;
    // Beyond ±9.2e18 there is no whole-yen answer to give; clamp rather than overflow.
    if (std::fabs(value) >= 9.2e18)
        return value < 0 ? -9'200'000'000'000'000'000 : 9'200'000'000'000'000'000;
    return static_cast<std::int64_t>(std::nearbyint(value));
}

double publicPensionIncome(double revenue, bool elderly) {
    static constexpr PensionBand kOrdinary[3] = {
        {1'300'000, 0.75, 375'000}, {4'100'000, 0.85, 785'000}, {7'700'000, 0.95, 1'555'000}};
    static constexpr PensionBand kElderly[3] = {
        {2'600'000, 0.75, 750'000}, {4'600'000, 0.85, 1'210'000}, {8'200'000, 0.95, 2'030'000}};
    return elderly ? pensionFromBands(revenue, 1'400'000, 2'600'000, kElderly)
                   : pensionFromBands(revenue, 700'000, 1'300'000, kOrdinary);
}

std::int64_t salaryTableAmount(double revenue) {
    struct Step {
        double from;
        std::int64_t width;
    };
    static constexpr Step kSteps[] = {{1'619'000, 1'000}, {1'620'000, 2'000}, {1'624'000, 4'000}};
    if (revenue < 1'619'000 || revenue >= 6'600'000)
        return wholeYen(revenue);
    const Step* step = &kSteps[0];
    for (const Step& candidate : kSteps)
        if (revenue >= candidate.from)
            step = &candidate;
    const auto base = static_cast<std::int64_t>(step->from);
    return base + (wholeYen(revenue - step->from) / step->width) * step->width;
}

double salaryIncome(std::int64_t tableAmount) {
    const auto a = static_cast<double>(tableAmount);
    struct Band {
        double below;
        double rate;
        double deduction;
    };
    static constexpr Band kBands[] = {
        {1'619'000, 1.0, 650'000}, {1'620'000, 0.6, 2'400},   {1'622'000, 0.6, 2'000},
        {1'624'000, 0.6, 1'200},   {1'628'000, 0.6, 400},     {1'800'000, 0.6, 0},
        {3'600'000, 0.7, 180'000}, {6'600'000, 0.8, 540'000}, {10'000'000, 0.9, 1'200'000},
    };
    if (a < 651'000)
        return 0;
    for (const Band& band : kBands)
        if (a < band.below)
            return a * band.rate - band.deduction;
    return a * 0.95 - 1'700'000;
}

double transferOccasionalIncome(double shortTerm, double longTerm, double occasional) {
    constexpr double kLimit = 500'000;
    // The special deduction of the transfer income, 500,000 yen, goes to the short-term amount first and
    // what is left of it to the long-term amount; the occasional income has a deduction of its own. A
    // loss takes none. Computed in floating point throughout, so that no amount can overflow.
    const auto deduct = [](double amount, double room) {
        if (!(amount > 0) || !(room > 0))
            return 0.0;
        return amount >= room ? room : std::nearbyint(amount);
    };
    const double x1 = deduct(shortTerm, kLimit);
    const double x2 = deduct(longTerm, kLimit - x1);
    const double x3 = deduct(occasional, kLimit);
    // Halved separately, which is exact for whole yen and cannot overflow as the sum could.
    const double halved = std::floor((longTerm - x2) / 2 + (occasional - x3) / 2);
    const double income = (shortTerm - x1) + halved;
    if (!(income > 0))
        return 0;
    return std::min(income, std::numeric_limits<double>::max());
}

} // namespace kakutei
