#include "deductions/deduction_rules.h"

#include "income/income_rules.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

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

std::string yen(Wide value) {
    return yenText(static_cast<double>(value));
}

// The figure itself is returned, never its double: a round trip through double overflows at the 64-bit
// limits that absurd inputs reach.
std::int64_t arrivedAt(Derivation* how, std::int64_t figure) {
    if (how)
        how->arrive(static_cast<double>(figure));
    return figure;
}

// A premium band: up to `limit` (itself included, or not when `below`), the deduction is
// premiums × 1/divisor + addition (whole yen, down).
struct PremiumBand {
    std::int64_t limit;
    bool below;
    std::int64_t divisor;
    std::int64_t addition;
};

// Where a band starts and ends, in the words of the band's own limits: "10,000 超 20,000 未満".
std::string bandWords(const PremiumBand* previous, const PremiumBand* band) {
    std::string words;
    if (previous)
        words = yen(previous->limit) + (previous->below ? " 以上" : " 超");
    if (band)
        words += (words.empty() ? "" : " ") + yen(band->limit) + (band->below ? " 未満" : " 以下");
    return words;
}

// Premiums beyond the last band give `cap`.
std::int64_t premiumAmount(std::int64_t x, const PremiumBand* bands, std::size_t count, std::int64_t cap,
                           Derivation* how) {
    const std::string premiums = how ? how->input(0, static_cast<double>(x)) : std::string();
    if (x <= 0) {
        if (how)
            how->step(premiums + " → 0");
        return arrivedAt(how, 0);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const PremiumBand& band = bands[i];
        if (band.below ? x < band.limit : x <= band.limit) {
            const std::int64_t amount = x / band.divisor + band.addition;
            if (how) {
                std::string formula = band.divisor == 1 ? "そのまま " + yenText(static_cast<double>(amount))
                                                        : yen(x) + " × 1/" + std::to_string(band.divisor) +
                                                              "（1円未満切捨て） + " + yen(band.addition) +
                                                              " = " + yen(amount);
                how->step(premiums + " は " + bandWords(i > 0 ? &bands[i - 1] : nullptr, &band) + " → " +
                          formula);
            }
            return arrivedAt(how, amount);
        }
    }
    if (how)
        how->step(premiums + " は " + bandWords(&bands[count - 1], nullptr) + " → 上限の " + yen(cap));
    return arrivedAt(how, cap);
}

// One of the two premium totals of a deduction, with the rule that gives its amount.
struct PremiumPart {
    std::int64_t premiums;
    std::int64_t (*amount)(std::int64_t, Derivation*);
    const char* word; // how the sum names it: "一般", "長期"
};

// A deduction made of two premium amounts, at most `cap` together; each part tells its own band.
std::int64_t twoPremiumParts(const PremiumPart& first, const PremiumPart& second, std::int64_t cap,
                             Derivation* how) {
    Derivation firstPart = how ? how->part(0) : Derivation();
    Derivation secondPart = how ? how->part(1) : Derivation();
    const std::int64_t a = first.amount(first.premiums, how ? &firstPart : nullptr);
    const std::int64_t b = second.amount(second.premiums, how ? &secondPart : nullptr);
    const std::int64_t deduction = std::min<std::int64_t>(a + b, cap);
    if (how) {
        how->take(firstPart);
        how->take(secondPart);
        how->step(std::string(first.word) + " " + yen(a) + " + " + second.word + " " + yen(b) + " = " +
                  yen(a + b) + (a + b > cap ? " → 上限の " + yen(deduction) : std::string()));
    }
    return arrivedAt(how, deduction);
}

} // namespace

std::int64_t casualtyLossDeduction(std::int64_t loss, std::int64_t reimbursed, std::int64_t disasterExpenses,
                                   std::int64_t totalIncome, Derivation* how) {
    // In a loss year the threshold is that of an income of 0: a negative income must not create a deduction.
    const std::int64_t tenth = floorDivide(std::max<std::int64_t>(totalIncome, 0), 10);
    const Wide a = (Wide{loss} - reimbursed) - tenth;
    const Wide b = Wide{disasterExpenses} - 50'000;
    const std::int64_t deduction = toInt64(std::max({a, b, Wide{0}}));
    if (how) {
        how->step("(a) " + how->input(0, static_cast<double>(loss)) + " − " +
                  how->input(1, static_cast<double>(reimbursed)) + " − " + "所得の1/10 " + yen(tenth) +
                  " = " + yen(a) + "（所得の1/10 は " + how->input(3, static_cast<double>(totalIncome)) +
                  " × 1/10）");
        how->step("(b) " + how->input(2, static_cast<double>(disasterExpenses)) + " − 50,000 = " + yen(b));
        how->step("(a) と (b) の多い方（0 未満は 0） = " + yen(deduction));
    }
    return arrivedAt(how, deduction);
}

std::int64_t medicalExpenseDeduction(std::int64_t paid, std::int64_t reimbursed, std::int64_t totalIncome,
                                     Derivation* how) {
    // floor(income × 5 / 100) is floor(income / 20), which cannot overflow.
    const std::int64_t fivePercent = floorDivide(std::max<std::int64_t>(totalIncome, 0), 20);
    const std::int64_t threshold = std::min<std::int64_t>(fivePercent, 100'000);
    const Wide net = (Wide{paid} - reimbursed) - threshold;
    const std::int64_t deduction = toInt64(std::clamp<Wide>(net, 0, kMedicalExpenseCap));
    if (how) {
        how->step("足切り額: " + how->input(2, static_cast<double>(totalIncome)) +
                  " × 5% = " + yen(fivePercent) + " と 100,000 の少ない方 = " + yen(threshold));
        std::string sentence = how->input(0, static_cast<double>(paid)) + " − " +
                               how->input(1, static_cast<double>(reimbursed)) + " − 足切り額 " +
                               yen(threshold) + " = " + yen(net);
        if (net < 0)
            sentence += " → 0";
        else if (net > kMedicalExpenseCap)
            sentence += " → 上限の " + yen(deduction);
        how->step(sentence);
    }
    return arrivedAt(how, deduction);
}

std::int64_t lifePremiumAmount(std::int64_t x, Derivation* how) {
    // Premiums below 0 (a refund typed with a minus) give no deduction, never a negative one.
    static constexpr PremiumBand kBands[] = {
        {25'000, false, 1, 0}, {50'000, false, 2, 12'500}, {100'000, false, 4, 25'000}};
    return premiumAmount(x, kBands, std::size(kBands), 50'000, how);
}

std::int64_t lifeInsuranceDeduction(std::int64_t general, std::int64_t pension, Derivation* how) {
    return twoPremiumParts({general, &lifePremiumAmount, "一般"}, {pension, &lifePremiumAmount, "個人年金"},
                           std::numeric_limits<std::int64_t>::max(), how);
}

std::int64_t longTermNonLifeAmount(std::int64_t x, Derivation* how) {
    // Exactly 20,000 already gives the whole 15,000.
    static constexpr PremiumBand kBands[] = {{10'000, false, 1, 0}, {20'000, true, 2, 5'000}};
    return premiumAmount(x, kBands, std::size(kBands), 15'000, how);
}

std::int64_t shortTermNonLifeAmount(std::int64_t x, Derivation* how) {
    static constexpr PremiumBand kBands[] = {{2'000, false, 1, 0}, {4'000, true, 2, 1'000}};
    return premiumAmount(x, kBands, std::size(kBands), 3'000, how);
}

std::int64_t nonLifeDeduction(std::int64_t longTerm, std::int64_t shortTerm, Derivation* how) {
    return twoPremiumParts({longTerm, &longTermNonLifeAmount, "長期"},
                           {shortTerm, &shortTermNonLifeAmount, "短期"}, 15'000, how);
}

std::int64_t donationDeduction(std::int64_t specifiedDonations, std::int64_t totalIncome, Derivation* how) {
    // floor(income × 25 / 100) is floor(income / 4), which cannot overflow.
    const std::int64_t cap = floorDivide(totalIncome, 4);
    const std::int64_t counted = std::min(specifiedDonations, cap);
    const Wide net = Wide{counted} - 10'000;
    const std::int64_t deduction = toInt64(std::max<Wide>(net, 0));
    if (how) {
        how->step(how->input(0, static_cast<double>(specifiedDonations)) + " と " +
                  how->input(1, static_cast<double>(totalIncome)) + " × 25% = " + yen(cap) +
                  " の少ない方 = " + yen(counted));
        how->step(yen(counted) + " − 10,000 = " + yen(net) + (net < 0 ? " → 0" : ""));
    }
    return arrivedAt(how, deduction);
}

std::int64_t spouseSalaryIncome(std::int64_t revenue, Derivation* how) {
    const double income = salaryIncomeFromRevenue(static_cast<double>(revenue), how);
    const std::int64_t whole = wholeYen(income);
    if (how && static_cast<double>(whole) != income)
        how->step(yenText(income) + " → " + yen(whole) + "（1円未満の端数を丸めます）");
    return arrivedAt(how, whole);
}

std::int64_t specialSpouseDeduction(std::int64_t t, Derivation* how) {
    // From Heisei 16 the part that stacked on the spouse deduction is gone: a spouse whose total income
    // is 380,000 or less gives the spouse deduction only.
    const std::string total = how ? how->input(0, static_cast<double>(t)) : std::string();
    if (t <= 380'000) {
        if (how)
            how->step(total + " は " + upToText(kNoLowerBound, 380'000) + " → 0（配偶者控除の対象）");
        return arrivedAt(how, 0);
    }
    struct Band {
        std::int64_t below;
        std::int64_t deduction;
    };
    static constexpr Band kBands[] = {
        {400'000, 380'000}, {450'000, 360'000}, {500'000, 310'000}, {550'000, 260'000}, {600'000, 210'000},
        {650'000, 160'000}, {700'000, 110'000}, {750'000, 60'000},  {760'000, 30'000},
    };
    double from = 380'001;
    for (const Band& band : kBands) {
        if (t < band.below) {
            if (how)
                how->step(total + " は " + rangeText(from, static_cast<double>(band.below)) + " → " +
                          yen(band.deduction));
            return arrivedAt(how, band.deduction);
        }
        from = static_cast<double>(band.below);
    }
    if (how)
        how->step(total + " は " + rangeText(from, kNoUpperBound) + " → 0");
    return arrivedAt(how, 0);
}

std::int64_t specialSpouseDeduction(std::int64_t spouseTotalIncome, double ownIncome, Derivation* how) {
    if (ownIncome > kOwnIncomeLimit) {
        if (how)
            how->step(how->input(1, ownIncome) + " は " + upToText(kOwnIncomeLimit, kNoUpperBound) + " → 0");
        return arrivedAt(how, 0);
    }
    return specialSpouseDeduction(spouseTotalIncome, how);
}

namespace {

struct KindAmount {
    std::string_view kind;
    std::int32_t amount;
};

template <std::size_t N>
std::int32_t amountOfKind(const std::array<KindAmount, N>& table, std::string_view kind, Derivation* how) {
    for (const KindAmount& row : table) {
        if (row.kind == kind) {
            if (how)
                how->step("本人の区分「" + std::string(kind) + "」 → " + yenText(row.amount));
            return static_cast<std::int32_t>(arrived(how, row.amount));
        }
    }
    if (how)
        how->step(kind.empty() ? std::string("本人の区分なし → 0")
                               : "本人の区分「" + std::string(kind) + "」 → 0");
    return static_cast<std::int32_t>(arrived(how, 0));
}

} // namespace

std::int32_t elderlyOrWidowDeduction(std::string_view kind, Derivation* how) {
    static constexpr std::array<KindAmount, 4> kAmounts = {
        {{"老年者", 500'000}, {"寡婦", 270'000}, {"寡夫", 270'000}, {"特別寡婦", 350'000}}};
    return amountOfKind(kAmounts, kind, how);
}

std::int32_t elderlyOrWidowDeduction(std::string_view kind, double ownIncome, Derivation* how) {
    const auto aboveLimit = [&](double limit, const std::string& then) {
        if (how)
            how->step("本人の区分「" + std::string(kind) + "」、" + how->input(0, ownIncome) + " は " +
                      upToText(limit, kNoUpperBound) + "（所得制限を超える） → " + then);
    };
    if (kind == "老年者" && ownIncome > kOwnIncomeLimit) {
        aboveLimit(kOwnIncomeLimit, "0");
        return static_cast<std::int32_t>(arrived(how, 0));
    }
    // A widow with a dependent child above the limit is still a widow, only not a special one.
    if (kind == "特別寡婦" && ownIncome > kWidowIncomeLimit) {
        aboveLimit(kWidowIncomeLimit, "寡婦控除 270,000");
        return static_cast<std::int32_t>(arrived(how, 270'000));
    }
    return elderlyOrWidowDeduction(kind, how);
}

bool claimsElderly(std::string_view firstSlot, std::string_view secondSlot,
                   std::string_view registeredCondition) {
    return firstSlot == "老年者" ||
           (firstSlot.empty() && secondSlot.empty() && registeredCondition == "老年者");
}

std::int32_t studentOrDisabilityDeduction(std::string_view kind, Derivation* how) {
    static constexpr std::array<KindAmount, 3> kAmounts = {
        {{"勤労学生", 270'000}, {"障害者", 270'000}, {"特別障害者", 400'000}}};
    return amountOfKind(kAmounts, kind, how);
}

} // namespace kakutei
