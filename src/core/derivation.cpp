#include "core/derivation.h"

#include "core/amount_text.h"

#include <cmath>
#include <cstdio>

namespace kakutei {

std::string Derivation::input(std::size_t index, double value) const {
    if (index < inputNames_.size() && !inputNames_[index].empty())
        return inputNames_[index] + " " + yenText(value);
    return yenText(value);
}

Derivation Derivation::part(std::size_t index) const {
    return Derivation({index < inputNames_.size() ? inputNames_[index] : std::string()});
}

void Derivation::take(const Derivation& part) {
    steps_.insert(steps_.end(), part.steps_.begin(), part.steps_.end());
}

double sumOf(const std::vector<double>& terms, Derivation* how) {
    double sum = 0;
    for (double term : terms)
        sum += term;
    if (how) {
        std::string sentence;
        for (std::size_t i = 0; i < terms.size(); ++i)
            if (terms[i] != 0)
                sentence += (sentence.empty() ? "" : " + ") + how->input(i, terms[i]);
        how->step(sentence.empty() ? "どれも 0 → 0" : sentence + " = " + yenText(sum));
    }
    return arrived(how, sum);
}

std::string yenText(double value) {
    if (!std::isfinite(value))
        return "?";
    const double whole = std::trunc(value);
    std::string text = whole == 0 ? std::string("0") : formatAmount(std::fabs(whole));
    const double tenths = std::round(std::fabs(value - whole) * 10);
    if (tenths >= 1 && tenths <= 9)
        text += "." + std::to_string(static_cast<int>(tenths));
    // A lone "-" reads as a dash in Japanese text; the minus sign does not.
    return value < 0 && (whole != 0 || tenths >= 1) ? "−" + text : text;
}

std::string rangeText(double from, double below) {
    if (from == kNoLowerBound)
        return yenText(below) + " 未満";
    if (below == kNoUpperBound)
        return yenText(from) + " 以上";
    return yenText(from) + " 以上 " + yenText(below) + " 未満";
}

std::string upToText(double above, double upTo) {
    if (above == kNoLowerBound)
        return yenText(upTo) + " 以下";
    if (upTo == kNoUpperBound)
        return yenText(above) + " 超";
    return yenText(above) + " 超 " + yenText(upTo) + " 以下";
}

std::string rateText(double rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%g%%", rate * 100);
    return text;
}

} // namespace kakutei
