#pragma once
// How a rule arrived at a figure, told by the rule itself as it computes it. A rule that is handed a
// Derivation writes its steps there; without one it computes exactly the same figure and writes nothing.
// So an explanation can never disagree with the figure it explains: both come from the one computation.

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kakutei {

class Derivation {
public:
    Derivation() = default;
    // What the rule's inputs are on the return, in the order of its parameters, e.g. "9 所得金額".
    explicit Derivation(std::vector<std::string> inputNames) : inputNames_(std::move(inputNames)) {}

    // Input `index` with its value, "9 所得金額 10,000,000"; the value alone when the input has no name.
    std::string input(std::size_t index, double value) const;

    // A derivation of its own for a part of the rule that works on input `index` alone, the input keeping
    // its name; `take` then adds the part's sentences to this one.
    Derivation part(std::size_t index) const;
    void take(const Derivation& part);

    // One sentence; the rule's last sentence ends with the figure it arrives at (before any note in
    // brackets).
    void step(std::string sentence) { steps_.push_back(std::move(sentence)); }
    const std::vector<std::string>& steps() const { return steps_; }

    // The figure the rule arrived at, as it returned it.
    std::optional<double> figure() const { return figure_; }
    void arrive(double figure) { figure_ = figure; }

private:
    std::vector<std::string> inputNames_;
    std::vector<std::string> steps_;
    std::optional<double> figure_;
};

// The terms added up in order, told as "12 社会保険料 A + 13 小規模企業共済 B = S" (the terms named as the
// Derivation's inputs, terms of 0 left out of the sentence).
double sumOf(const std::vector<double>& terms, Derivation* how = nullptr);

// Records the figure in `how`, when there is one, and gives it back: `return arrived(how, result);`.
inline double arrived(Derivation* how, double figure) {
    if (how)
        how->arrive(figure);
    return figure;
}

// An amount as a derivation writes it: "1,234,567", "−50,000", "0", and a tenth of a yen where the figure
// carries one ("1,234,567.5").
std::string yenText(double value);
// The band a figure falls in: "3,300,000 以上 9,000,000 未満", "18,000,000 以上", "651,000 未満".
inline constexpr double kNoLowerBound = -std::numeric_limits<double>::infinity();
inline constexpr double kNoUpperBound = std::numeric_limits<double>::infinity();
std::string rangeText(double from, double below);
// The same for a band closed above: "25,000 超 50,000 以下", "25,000 以下", "100,000 超".
std::string upToText(double above, double upTo);
// A rate as a derivation writes it: 0.2 → "20%", 0.05 → "5%".
std::string rateText(double rate);

} // namespace kakutei
