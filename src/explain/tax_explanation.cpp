#include "explain/screen_explanations.h"

#include "income/income_rules.h"
#include "tax/housing_loan_screen.h"
#include "tax/tax_computation_screen.h"
#include "tax/tax_rules.h"

#include <optional>
#include <string>
#include <vector>

namespace kakutei {

namespace tc = tax_computation;

namespace {

constexpr int kT = kTaxRecordNumber;

LineRef taxRef(int line) {
    return {ExplainedScreen::taxComputation, line};
}

// How the return names a line: its number and caption, on one line and without the caption's spacing.
std::string lineLabel(int number) {
    if (number == 25)
        return "25 所得控除の合計";
    for (const tc::Line& line : tc::kLines) {
        if (line.number != number)
            continue;
        std::string caption(line.caption);
        if (!line.secondLine.empty())
            caption += (number == 33 ? "、" : "") + std::string(line.secondLine);
        for (std::size_t at; (at = caption.find("　")) != std::string::npos;)
            caption.erase(at, std::string_view("　").size());
        return caption.empty() ? std::to_string(number) : std::to_string(number) + " " + caption;
    }
    return std::to_string(number);
}

int fieldOf(int number) {
    for (const tc::Line& line : tc::kLines)
        if (line.number == number)
            return line.recordField;
    return 0;
}

class TaxLines {
public:
    TaxLines(const ReturnFigures& figures, const Explanation& explanation, SectionWriter& section)
        : figures_(figures), explanation_(explanation), section_(section) {}

    double line(int number) const {
        return number == 9 ? shownTotalIncome(figures_) : figures_.number(kT, fieldOf(number));
    }

    // A line the rule computes from other lines, each named by its own label.
    template <typename Rule> void derived(int number, std::vector<int> inputs, Rule rule) {
        std::vector<std::string> names;
        for (int input : inputs)
            names.push_back(lineLabel(input));
        Derivation how(names);
        rule(&how);
        section_.derived(taxRef(number), lineLabel(number), line(number), how, Provenance::stale,
                         "保存された金額は、その後に変わった金額の前に計算されたものです。今の金額で計算する"
                         "と次のとおりです:");
    }

    // A line taken over from another screen's figure.
    // `source` is where the other screen's figure is explained, when it is.
    void carried(int number, std::optional<LineRef> source, const std::string& from, int k, int field) {
        const std::optional<double> figure =
            figures_.unreadable(k) ? std::nullopt : std::optional(asShown(figures_.number(k, field)));
        section_.carried(taxRef(number), lineLabel(number), line(number),
                         source ? explanation_.find(*source) : nullptr, from, figure);
    }

    void typed(int number) { section_.typed(taxRef(number), lineLabel(number), line(number)); }

    // A typed line that one of the helper screens may have filled: computed when its rule gives the figure.
    void proposed(int number, Derivation how, double proposal, const std::string& screen) {
        if (line(number) != 0 && sameStored(asShown(proposal), line(number))) {
            how.step(screen + "で計算した金額を入れました: " + yenText(line(number)));
            how.arrive(line(number));
            section_.derived(taxRef(number), lineLabel(number), line(number), how, Provenance::typed, "");
            return;
        }
        typed(number);
    }

    SectionWriter& section() { return section_; }

private:
    const ReturnFigures& figures_;
    const Explanation& explanation_;
    SectionWriter& section_;
};

void explainCarriedLines(const ReturnFigures& figures, TaxLines& lines) {
    const auto from = [&](int k, int field) { return figures.number(k, field); };
    constexpr int kI = kIncomeRecordNumber, kD = kDeductionRecordNumber, kP = kPersonalRecordNumber;
    lines.carried(9, LineRef{ExplainedScreen::income, 20}, "所得金額の 9 合計", kI, 20);
    struct FromDeductions {
        int line;
        int field;
        const char* name;
    };
    static constexpr FromDeductions kDeductionLines[] = {
        {10, 34, "所得控除(1)の ⑩ 雑損控除"},       {11, 35, "所得控除(1)の ⑪ 医療費控除"},
        {12, 20, "所得控除(1)の ⑫ 社会保険料控除"}, {13, 24, "所得控除(1)の ⑬ 小規模企業共済等掛金控除"},
        {14, 36, "所得控除(1)の ⑭ 生命保険料控除"}, {15, 37, "所得控除(1)の ⑮ 損害保険料控除"},
        {16, 38, "所得控除(1)の ⑯ 寄付金控除"}};
    for (const FromDeductions& d : kDeductionLines)
        lines.carried(d.line, LineRef{ExplainedScreen::deductions, d.field}, d.name, kD, d.field);
    static constexpr FromDeductions kPersonalLines[] = {{17, 57, "所得控除(2)の 老年者・寡婦（寡夫）控除"},
                                                        {19, 58, "所得控除(2)の 勤労学生・障害者控除"},
                                                        {21, 63, "所得控除(2)の 配偶者控除"},
                                                        {22, 64, "所得控除(2)の 配偶者特別控除"}};
    for (const FromDeductions& d : kPersonalLines)
        lines.carried(d.line, LineRef{ExplainedScreen::personalDeductions, d.field}, d.name, kP, d.field);
    lines.derived(23, {}, [&](Derivation* how) {
        Derivation total({"所得控除(2)の 扶養控除の合計"});
        const double deduction = dependentsDeduction(from(kP, 52), &total);
        how->take(total);
        return arrived(how, deduction);
    });
    {
        Derivation how;
        how.step("基礎控除は一律 " + yenText(tc::kBasicDeduction));
        how.arrive(tc::kBasicDeduction);
        lines.section().derived(taxRef(24), lineLabel(24), lines.line(24), how, Provenance::stale,
                                "基礎控除の額と違います。計算実行し直してください:");
    }
}

void explainTaxAndCredits(const ReturnFigures& figures, TaxLines& lines) {
    const auto l = [&](int number) { return lines.line(number); };
    lines.derived(25, {10, 11, 12, 13, 14, 15, 16, 17, 19, 21, 22, 23, 24}, [&](Derivation* how) {
        return sumOf(
            {l(10), l(11), l(12), l(13), l(14), l(15), l(16), l(17), l(19), l(21), l(22), l(23), l(24)}, how);
    });
    lines.derived(26, {9, 25}, [&](Derivation* how) { return taxableIncome(l(9), l(25), how); });
    lines.derived(27, {26}, [&](Derivation* how) { return incomeTax(l(26), how); });
    {
        Derivation how({lineLabel(26), "配当所得（所得の内訳の配当）"});
        const double dividends = figures.has(kBreakdownRecordNumber)
                                     ? breakdownDividends(figures.values(kBreakdownRecordNumber))
                                     : 0.0;
        const auto credit = static_cast<double>(wholeYen(dividendCredit(l(26), dividends, &how)));
        lines.proposed(28, how, credit, "配当控除の画面");
    }
    lines.typed(29);
    {
        // The period whose button was pressed last is the one whose result the record keeps.
        Derivation how({"期末借入金残高"});
        double credit = 0;
        constexpr int kH = kHousingLoanRecordNumber;
        for (std::size_t period = 0; period < housing_loan::kPeriods.size(); ++period) {
            if (figures.has(kH) && figures.number(kH, static_cast<int>(5 + period)) != 0) {
                how.step("「" + std::string(housing_loan::kPeriods[period]) + "」の計算");
                const HousingLoanPeriod rule = housing_loan::kPeriodRules[period];
                if (const auto refusal = housingLoanRefusal(rule, figures.number(kH, 1), l(9)))
                    how.step(*refusal + " → 0");
                else
                    credit = housingLoanCredit(rule, figures.number(kH, 4), &how);
                break;
            }
        }
        lines.proposed(30, how, credit, "住宅取得控除の画面");
    }
    lines.typed(31);
}

void explainAmountDue(TaxLines& lines) {
    const auto l = [&](int number) { return lines.line(number); };
    lines.derived(32, {27, 28, 29, 30, 31},
                  [&](Derivation* how) { return taxAfterCredits(l(27), l(28), l(29), l(30), l(31), how); });
    lines.typed(33);
    lines.derived(35, {32, 33}, [&](Derivation* how) { return taxAfterRelief(l(32), l(33), how); });
    lines.derived(36, {35}, [&](Derivation* how) { return fixedRateReduction(l(35), how); });
    lines.carried(37, std::nullopt, "所得の内訳の 源泉徴収税額の合計", kBreakdownRecordNumber, 53);
    lines.derived(38, {35, 36, 37}, [&](Derivation* how) { return filedTax(l(35), l(36), l(37), how); });
    lines.typed(39);
    lines.derived(40, {38, 39}, [&](Derivation* how) { return taxToPay(l(38), l(39), how); });
    lines.derived(41, {38, 39}, [&](Derivation* how) { return taxRefund(l(38), l(39), how); });
}

void explainDeferral(TaxLines& lines) {
    const auto l = [&](int number) { return lines.line(number); };
    if (l(50) == 0 && l(51) == 0) {
        for (int number : {50, 51}) {
            Derivation how;
            how.step("延納の届出はありません → 0");
            how.arrive(0);
            lines.section().derived(taxRef(number), lineLabel(number), 0, how, Provenance::computed, "");
        }
        return;
    }
    lines.derived(50, {40, 51}, [&](Derivation* how) { return taxByDeadline(l(40), l(51), how); });
    lines.derived(51, {40}, [&](Derivation* how) { return deferredTax(l(40), how); });
}

} // namespace

void explainTaxComputation(const ReturnFigures& figures, Explanation& explanation) {
    if (!figures.has(kT))
        return;
    SectionWriter section(explanation, "税額の計算");
    TaxLines lines(figures, explanation, section);
    explainCarriedLines(figures, lines);
    explainTaxAndCredits(figures, lines);
    explainAmountDue(lines);
    for (int number : {42, 43}) {
        const int field = number == 42 ? 62 : 56;
        lines.carried(number, LineRef{ExplainedScreen::personalDeductions, field},
                      number == 42 ? "所得控除(2)の 配偶者の合計所得" : "所得控除(2)の 専従者給与の合計",
                      kPersonalRecordNumber, field);
    }
    for (int number = 44; number <= 49; ++number)
        lines.typed(number);
    explainDeferral(lines);
    lines.typed(52);
    lines.typed(53);
}

} // namespace kakutei
