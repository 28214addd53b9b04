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

namespace {

constexpr double kSpecialDeduction = 500'000;

// Up to `room` of a gain, in whole yen; nothing for a loss.
double deductFrom(double amount, double room) {
    if (!(amount > 0) || !(room > 0))
        return 0.0;
    return amount >= room ? room : std::nearbyint(amount);
}

// Half of the long-term and occasional gains together, to the yen below. Halved separately, which is exact
// for whole yen and cannot overflow as the sum could.
double halfOf(double longTerm, double occasional) {
    return std::floor(longTerm / 2 + occasional / 2);
}

} // namespace

TransferGains transferGains(double shortTerm, double longTerm, double occasional, Derivation* how) {
    // A loss on one kind of transfer is taken from the other's gain before the special deduction: the
    // transfer income is one income of two parts.
    double s = shortTerm;
    double l = longTerm;
    if (s < 0 && l > 0) {
        l += s;
        if (how)
            how->step("短期の損失 " + yenText(s) + " を長期から差し引きます: 長期 " + yenText(longTerm) +
                      " − " + yenText(-s) + " = " + yenText(l));
        s = 0;
    } else if (l < 0 && s > 0) {
        s += l;
        if (how)
            how->step("長期の損失 " + yenText(l) + " を短期から差し引きます: 短期 " + yenText(shortTerm) +
                      " − " + yenText(-l) + " = " + yenText(s));
        l = 0;
    }
    // An occasional income is never a loss.
    double o = occasional > 0 ? occasional : 0;
    if (how && occasional < 0)
        how->step("一時 " + yenText(occasional) + " は損失にならないので 0 とします");
    const double x1 = deductFrom(s, kSpecialDeduction);
    const double x2 = deductFrom(l, kSpecialDeduction - x1);
    const double x3 = deductFrom(o, kSpecialDeduction);
    if (how)
        how->step("特別控除（譲渡は短期から先に合わせて " + yenText(kSpecialDeduction) + "、一時は別に " +
                  yenText(kSpecialDeduction) + "まで）: 短期 " + yenText(x1) + "、長期 " + yenText(x2) +
                  "、一時 " + yenText(x3));
    TransferGains gains{s - x1, l - x2, o - x3, 0};
    // What is left of a transfer loss is taken from the occasional gain, before its half.
    const double transferLoss = std::min(gains.shortTerm, 0.0) + std::min(gains.longTerm, 0.0);
    if (transferLoss < 0) {
        gains.shortTerm = std::max(gains.shortTerm, 0.0);
        gains.longTerm = std::max(gains.longTerm, 0.0);
        const double before = gains.occasional;
        gains.occasional += transferLoss;
        if (gains.occasional < 0) {
            gains.loss = gains.occasional;
            gains.occasional = 0;
        }
        if (how && before > 0)
            how->step("譲渡の損失 " + yenText(transferLoss) + " を一時から差し引きます: 一時 " +
                      yenText(before) + " − " + yenText(-transferLoss) + " = " +
                      yenText(before + transferLoss));
    }
    return gains;
}

double transferOccasionalIncome(double shortTerm, double longTerm, double occasional, Derivation* how) {
    const TransferGains gains = transferGains(shortTerm, longTerm, occasional, how);
    const double halved = halfOf(gains.longTerm, gains.occasional);
    const double sum = gains.shortTerm + halved;
    // Nothing below 0, and nothing from infinities that cancel (a loss of one kind taken from the other's
    // gain).
    const double income = !(sum > 0) ? 0 : std::min(sum, std::numeric_limits<double>::max());
    if (how) {
        if (gains.loss < 0 || income != sum)
            how->step("譲渡の損失が残ります（" + yenText(gains.loss) + "） → 0（損失は0）");
        else
            how->step("短期 " + yenText(gains.shortTerm) + " + (長期 " + yenText(gains.longTerm) +
                      " + 一時 " + yenText(gains.occasional) + ") × 1/2（1円未満切捨て） = " +
                      yenText(gains.shortTerm) + " + " + yenText(halved) + " = " + yenText(income));
    }
    return arrived(how, income);
}

bool lossMeetsTransfer(double ordinary, double shortTerm, double longTerm, double occasional, double line8) {
    return ordinary < 0 && (shortTerm != 0 || longTerm != 0 || occasional != 0) &&
           line8 == transferOccasionalIncome(shortTerm, longTerm, occasional);
}

double totalIncomeWithTransfer(double ordinary, double shortTerm, double longTerm, double occasional,
                               Derivation* how) {
    TransferGains gains = transferGains(shortTerm, longTerm, occasional, how);
    // A loss of the ordinary incomes is taken from the short-term gain, then the long-term, then the
    // occasional one, each after its special deduction and before any half.
    double loss = ordinary;
    if (how && loss < 0)
        how->step("1〜7 の計 " + yenText(ordinary) +
                  " の損失を 短期、長期、一時 の順に差し引きます（½ の前）");
    for (auto [gain, name] : {std::pair{&gains.shortTerm, "短期"}, std::pair{&gains.longTerm, "長期"},
                              std::pair{&gains.occasional, "一時"}}) {
        if (!(loss < 0) || !(*gain > 0))
            continue;
        const double taken = std::min(*gain, -loss);
        if (how)
            how->step(std::string(name) + " " + yenText(*gain) + " − " + yenText(taken) + " = " +
                      yenText(*gain - taken));
        *gain -= taken;
        loss += taken;
    }
    const double halved = halfOf(gains.longTerm, gains.occasional);
    const double total = loss + gains.shortTerm + halved;
    if (how)
        how->step(
            (loss == 0 ? std::string() : (loss < 0 ? "残る損失 " : "1〜7 の計 ") + yenText(loss) + " + ") +
            "短期 " + yenText(gains.shortTerm) + " + (長期 " + yenText(gains.longTerm) + " + 一時 " +
            yenText(gains.occasional) + ") × 1/2（1円未満切捨て） = " + yenText(total));
    return arrived(how, total);
}

} // namespace kakutei
