#include "income/income_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

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

double pensionFromBands(double revenue, double zeroBelow, double flatBelow, const PensionBand (&bands)[3],
                        Derivation* how) {
    if (revenue < zeroBelow) {
        if (how)
            how->step(how->input(0, revenue) + " は " + rangeText(kNoLowerBound, zeroBelow) + " → 0");
        return arrived(how, 0);
    }
    if (revenue < flatBelow) {
        const double income = revenue - zeroBelow;
        if (how)
            how->step(how->input(0, revenue) + " は " + rangeText(zeroBelow, flatBelow) + " → " +
                      yenText(revenue) + " − " + yenText(zeroBelow) + " = " + yenText(income));
        return arrived(how, income);
    }
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < 3; ++i)
        if (revenue >= bands[i].from)
            chosen = i;
    const PensionBand& band = bands[chosen];
    const double income = truncateToTenths(revenue * band.rate) - band.deduction;
    if (how)
        how->step(how->input(0, revenue) + " は " +
                  rangeText(band.from, chosen + 1 < 3 ? bands[chosen + 1].from : kNoUpperBound) + " → " +
                  yenText(revenue) + " × " + rateText(band.rate) + "（0.1円未満切捨て） − " +
                  yenText(band.deduction) + " = " + yenText(income));
    return arrived(how, income);
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

double publicPensionIncome(double revenue, bool elderly, Derivation* how) {
    static constexpr PensionBand kOrdinary[3] = {
        {1'300'000, 0.75, 375'000}, {4'100'000, 0.85, 785'000}, {7'700'000, 0.95, 1'555'000}};
    static constexpr PensionBand kElderly[3] = {
        {2'600'000, 0.75, 750'000}, {4'600'000, 0.85, 1'210'000}, {8'200'000, 0.95, 2'030'000}};
    if (how)
        how->step(elderly ? "老年者の公的年金等控除の表を使います。"
                          : "公的年金等控除の表（老年者以外）を使います。");
    return elderly ? pensionFromBands(revenue, 1'400'000, 2'600'000, kElderly, how)
                   : pensionFromBands(revenue, 700'000, 1'300'000, kOrdinary, how);
}

std::int64_t salaryTableAmount(double revenue, Derivation* how) {
    struct Step {
        double from;
        std::int64_t width;
    };
    static constexpr Step kSteps[] = {{1'619'000, 1'000}, {1'620'000, 2'000}, {1'624'000, 4'000}};
    if (revenue < 1'619'000 || revenue >= 6'600'000)
        return wholeYen(revenue);
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < std::size(kSteps); ++i)
        if (revenue >= kSteps[i].from)
            chosen = i;
    const Step& step = kSteps[chosen];
    const auto base = static_cast<std::int64_t>(step.from);
    const std::int64_t amount = base + (wholeYen(revenue - step.from) / step.width) * step.width;
    if (how)
        how->step(how->input(0, revenue) + " は " +
                  rangeText(step.from, chosen + 1 < std::size(kSteps) ? kSteps[chosen + 1].from : 6'600'000) +
                  " → 表は " + yenText(static_cast<double>(step.width)) +
                  "円ごと: " + yenText(static_cast<double>(amount)) + " で読みます");
    return amount;
}

namespace {

// Income 6 from a table amount, which `amount` names as the derivation should say it.
double salaryFromTable(std::int64_t tableAmount, const std::string& amount, Derivation* how) {
    const auto a = static_cast<double>(tableAmount);
    struct Band {
        double below;
        double rate;
        double deduction;
    };
    static constexpr double kFirst = 651'000;
    static constexpr Band kBands[] = {
        {1'619'000, 1.0, 650'000}, {1'620'000, 0.6, 2'400},   {1'622'000, 0.6, 2'000},
        {1'624'000, 0.6, 1'200},   {1'628'000, 0.6, 400},     {1'800'000, 0.6, 0},
        {3'600'000, 0.7, 180'000}, {6'600'000, 0.8, 540'000}, {10'000'000, 0.9, 1'200'000},
    };
    if (a < kFirst) {
        if (how)
            how->step(amount + " は " + rangeText(kNoLowerBound, kFirst) + " → 0");
        return arrived(how, 0);
    }
    double from = kFirst;
    for (const Band& band : kBands) {
        if (a < band.below) {
            const double income = a * band.rate - band.deduction;
            if (how)
                how->step(amount + " は " + rangeText(from, band.below) + " → " + yenText(a) +
                          (band.rate == 1.0 ? std::string() : " × " + rateText(band.rate)) +
                          (band.deduction == 0 ? std::string() : " − " + yenText(band.deduction)) + " = " +
                          yenText(income));
            return arrived(how, income);
        }
        from = band.below;
    }
    const double income = a * 0.95 - 1'700'000;
    if (how)
        how->step(amount + " は " + rangeText(from, kNoUpperBound) + " → " + yenText(a) +
                  " × 95% − 1,700,000 = " + yenText(income));
    return arrived(how, income);
}

} // namespace

double salaryIncome(std::int64_t tableAmount, Derivation* how) {
    return salaryFromTable(tableAmount, how ? how->input(0, static_cast<double>(tableAmount)) : std::string(),
                           how);
}

double salaryIncomeFromRevenue(double revenue, Derivation* how) {
    const std::int64_t tableAmount = salaryTableAmount(revenue, how);
    // The revenue keeps its name where the table reads it as it is.
    const bool asTyped = static_cast<double>(tableAmount) == revenue;
    const std::string amount = !how      ? std::string()
                               : asTyped ? how->input(0, revenue)
                                         : "表の金額 " + yenText(static_cast<double>(tableAmount));
    return salaryFromTable(tableAmount, amount, how);
}

double transferOccasionalIncome(double shortTerm, double longTerm, double occasional, Derivation* how) {
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
    const double sum = (shortTerm - x1) + halved;
    const double income = !(sum > 0) ? 0 : std::min(sum, std::numeric_limits<double>::max());
    if (how) {
        how->step("特別控除（譲渡は短期から先に合わせて " + yenText(kLimit) + "、一時は別に " +
                  yenText(kLimit) + "まで）: 短期 " + yenText(x1) + "、長期 " + yenText(x2) + "、一時 " +
                  yenText(x3));
        how->step("(" + how->input(0, shortTerm) + " − " + yenText(x1) + ") + {(" + how->input(1, longTerm) +
                  " − " + yenText(x2) + ") + (" + how->input(2, occasional) + " − " + yenText(x3) +
                  ")} × 1/2（1円未満切捨て） = " + yenText(shortTerm - x1) + " + " + yenText(halved) + " = " +
                  (income == sum ? yenText(income) : yenText(sum) + " → 0（損失は0）"));
    }
    return arrived(how, income);
}

} // namespace kakutei
