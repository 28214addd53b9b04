#include "tax/tax_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace kakutei {

double dependentsDeduction(double tenThousands, Derivation* how) {
    const double deduction = tenThousands * 10'000;
    if (how)
        how->step(how->input(0, tenThousands) + " 万円 × 10,000 = " + yenText(deduction));
    return arrived(how, deduction);
}

double taxableIncome(double totalIncome, double totalDeductions, Derivation* how) {
    const double difference = totalIncome - totalDeductions;
    double taxable;
    if (!(difference > 0))
        taxable = 0;
    else if (!std::isfinite(difference))
        taxable = std::numeric_limits<double>::max();
    else // fmod is exact, so the thousands are cut without any rounding of a quotient
        taxable = difference - std::fmod(difference, 1'000);
    if (how) {
        std::string sentence = how->input(0, totalIncome) + " − " + how->input(1, totalDeductions) + " = ";
        if (!(difference > 0))
            sentence += yenText(difference) + " → 0（所得控除が所得金額以上）";
        else if (taxable != difference)
            sentence += yenText(difference) + " → " + yenText(taxable) + "（1,000円未満切捨て）";
        else
            sentence += yenText(taxable) + "（1,000円未満切捨て）";
        how->step(sentence);
    }
    return arrived(how, taxable);
}

double incomeTax(double t, Derivation* how) {
    struct Bracket {
        double below;
        double rate;
        double deduction;
    };
    static constexpr Bracket kBrackets[] = {
        {3'300'000, 0.10, 0}, {9'000'000, 0.20, 330'000}, {18'000'000, 0.30, 1'230'000}};
    double from = 0;
    for (const Bracket& bracket : kBrackets) {
        if (t < bracket.below) {
            const double tax = std::floor(t * bracket.rate) - bracket.deduction;
            if (how)
                how->step(
                    how->input(0, t) + " は " +
                    (from == 0 ? rangeText(kNoLowerBound, bracket.below) : rangeText(from, bracket.below)) +
                    " → " + yenText(t) + " × " + rateText(bracket.rate) +
                    (bracket.deduction == 0 ? std::string() : " − " + yenText(bracket.deduction)) + " = " +
                    yenText(tax));
            return arrived(how, tax);
        }
        from = bracket.below;
    }
    const double tax = std::floor(t * 0.37) - 2'490'000;
    if (how)
        how->step(how->input(0, t) + " は " + rangeText(from, kNoUpperBound) + " → " + yenText(t) +
                  " × 37% − 2,490,000 = " + yenText(tax));
    return arrived(how, tax);
}

double taxAfterCredits(double tax, double dividend, double line29, double housingLoan,
                       double politicalDonation, Derivation* how) {
    const double difference = std::nearbyint(tax - dividend - line29 - housingLoan - politicalDonation);
    const double result = difference <= 0 ? 0 : difference;
    if (how) {
        std::string sentence = how->input(0, tax);
        const double credits[] = {dividend, line29, housingLoan, politicalDonation};
        for (std::size_t i = 0; i < 4; ++i)
            if (credits[i] != 0)
                sentence += " − " + how->input(i + 1, credits[i]);
        sentence += " = " + yenText(difference);
        if (result != difference)
            sentence += " → 0（0 未満にはなりません）";
        how->step(sentence);
    }
    return arrived(how, result);
}

double taxAfterRelief(double taxAfterCredits, double relief, Derivation* how) {
    // Disaster relief and the foreign tax credit cannot take the tax below 0: a negative line 35 would
    // refund tax nobody paid.
    const double result = std::max(taxAfterCredits - relief, 0.0);
    if (how)
        how->step(how->input(0, taxAfterCredits) + " − " + how->input(1, relief) + " = " +
                  yenText(taxAfterCredits - relief) +
                  (result != taxAfterCredits - relief ? " → 0（0 未満にはなりません）" : ""));
    return arrived(how, result);
}

double fixedRateReduction(double taxAfterCredits, Derivation* how) {
    const double r = std::floor(taxAfterCredits * 0.2);
    // Line 35 is never below 0 on the screen; for any other input the reduction still stays within its range.
    const double reduction = !(r > 0) ? 0 : r > 250'000 ? 250'000 : r;
    if (how)
        how->step(how->input(0, taxAfterCredits) + " × 20%（1円未満切捨て） = " + yenText(r) +
                  (reduction != r ? " → " + yenText(reduction) + (r > 0 ? "（上限 250,000）" : "")
                                  : std::string()));
    return arrived(how, reduction);
}

double filedTax(double taxAfterRelief, double reduction, double withheld, Derivation* how) {
    const double difference = taxAfterRelief - reduction - withheld;
    const double result = difference > 0 ? std::floor(difference / 100) * 100 : difference;
    if (how) {
        std::string sentence = how->input(0, taxAfterRelief) + " − " + how->input(1, reduction) + " − " +
                               how->input(2, withheld) + " = " + yenText(difference);
        if (result != difference)
            sentence += " → " + yenText(result) + "（100円未満切捨て）";
        else if (difference > 0)
            sentence += "（100円未満切捨て）";
        else if (difference < 0)
            sentence += "（源泉徴収税額などが多く、還付になります）";
        how->step(sentence);
    }
    return arrived(how, result);
}

namespace {

std::string settlementSentence(double filedTax, double prepaid, double difference, Derivation& how) {
    return how.input(0, filedTax) + " − " + how.input(1, prepaid) + " = " + yenText(difference);
}

} // namespace

double taxToPay(double filedTax, double prepaid, Derivation* how) {
    const double difference = std::nearbyint(filedTax - prepaid);
    const double pay = difference > 0 ? std::floor(difference / 100) * 100 : 0;
    if (how)
        how->step(settlementSentence(filedTax, prepaid, difference, *how) +
                  (difference > 0
                       ? (pay != difference ? " → " + yenText(pay) : std::string()) + "（100円未満切捨て）"
                       : " → 納める税金はありません: 0"));
    return arrived(how, pay);
}

double taxRefund(double filedTax, double prepaid, Derivation* how) {
    const double difference = std::nearbyint(filedTax - prepaid);
    const double refund = difference > 0 ? 0 : std::fabs(difference);
    if (how)
        how->step(settlementSentence(filedTax, prepaid, difference, *how) +
                  (difference > 0 ? " → 納める税金になり、還付はありません: 0"
                                  : " → 還付される税金 " + yenText(refund)));
    return arrived(how, refund);
}

double deferredTax(double taxToPay, Derivation* how) {
    const double deferred = taxToPay >= 0 ? std::floor(taxToPay / 2'000) * 1'000 : 0;
    if (how)
        how->step(how->input(0, taxToPay) + " × 1/2 = " + yenText(taxToPay / 2) +
                  (deferred != taxToPay / 2 ? " → " + yenText(deferred) : std::string()) +
                  "（1,000円未満切捨て）");
    return arrived(how, deferred);
}

double taxByDeadline(double taxToPay, double deferred, Derivation* how) {
    const double byDeadline = taxToPay >= 0 ? taxToPay - deferred : 0;
    if (how)
        how->step(how->input(0, taxToPay) + " − " + how->input(1, deferred) + " = " + yenText(byDeadline));
    return arrived(how, byDeadline);
}

double dividendCredit(double a, double b, Derivation* how) {
    // A dividend loss gives no credit, and no credit adds to the tax.
    if (!(b > 0)) {
        if (how)
            how->step(how->input(1, b) + " → 0（配当がありません）");
        return arrived(how, 0);
    }
    if (a <= 10'000'000) {
        const double credit = std::floor(b * 0.1);
        if (how)
            how->step(how->input(0, a) + " は 10,000,000 以下 → " + how->input(1, b) +
                      " × 10% = " + yenText(credit) + "（1円未満切捨て）");
        return arrived(how, credit);
    }
    const double e = a - 10'000'000;
    if (b <= e) {
        const double credit = std::floor(b * 0.05);
        if (how)
            how->step(how->input(0, a) + " − 10,000,000 = " + yenText(e) + " は配当以上 → " +
                      how->input(1, b) + " × 5% = " + yenText(credit) + "（1円未満切捨て）");
        return arrived(how, credit);
    }
    const double tenPercent = std::floor((b - e) * 0.1);
    const double fivePercent = std::floor(e * 0.05);
    const double credit = std::nearbyint(tenPercent + fivePercent);
    if (how) {
        how->step(how->input(0, a) + " − 10,000,000 = " + yenText(e) + "（配当のうち 5% の部分）");
        how->step("(" + how->input(1, b) + " − " + yenText(e) + ") × 10% = " + yenText(tenPercent) + "、" +
                  yenText(e) + " × 5% = " + yenText(fivePercent) + " → " + yenText(tenPercent) + " + " +
                  yenText(fivePercent) + " = " + yenText(credit));
    }
    return arrived(how, credit);
}

std::optional<std::string> housingLoanRefusal(HousingLoanPeriod period, double moveInYear,
                                              double totalIncome) {
    if (period == HousingLoanPeriod::h9ToH10 || moveInYear == 9 || moveInYear == 10)
        return std::string("平成9年・10年に入居した方の控除期間（6年）は平成15年分で終わっています。"
                           "平成16年分の住宅借入金等特別控除はありません。");
    if (totalIncome > kHousingLoanIncomeLimit)
        return "合計所得金額 " + yenText(totalIncome) + " が " + yenText(kHousingLoanIncomeLimit) +
               " を超えるため、住宅借入金等特別控除はありません。";
    return std::nullopt;
}

double housingLoanCredit(HousingLoanPeriod period, double b, Derivation* how) {
    const std::string balance = how ? how->input(0, b) : std::string();
    if (!(b > 0)) {
        if (how)
            how->step(balance + " → 0");
        return arrived(how, 0);
    }
    double credit;
    std::string formula;
    if (period == HousingLoanPeriod::h9ToH10 || period == HousingLoanPeriod::h11TransitionChoice) {
        if (b <= 20'000'000) {
            credit = b / 100;
            formula = upToText(kNoLowerBound, 20'000'000) + " → " + yenText(b) + " × 1% = " + yenText(credit);
        } else if (b <= 30'000'000) {
            credit = b * 0.5 / 100 + 100'000;
            formula = upToText(20'000'000, 30'000'000) + " → " + yenText(b) +
                      " × 0.5% + 100,000 = " + yenText(credit);
        } else {
            credit = 250'000;
            formula = upToText(30'000'000, kNoUpperBound) + " → 250,000";
        }
    } else if (b <= 50'000'000) {
        credit = b / 100;
        formula = upToText(kNoLowerBound, 50'000'000) + " → " + yenText(b) + " × 1% = " + yenText(credit);
    } else {
        credit = 500'000;
        formula = upToText(50'000'000, kNoUpperBound) + " → 500,000";
    }
    // The credit is given in whole hundreds of yen.
    const double truncated = std::floor(credit / 100) * 100;
    if (truncated != credit)
        formula += " → " + yenText(truncated) + "（100円未満切捨て）";
    if (how)
        how->step(balance + " は " + formula);
    return arrived(how, truncated);
}

} // namespace kakutei
