#include "explain/screen_explanations.h"

#include "deductions/deduction_rules.h"
#include "income/income_rules.h"

#include <string>
#include <vector>

namespace kakutei {

namespace {

constexpr int kD = kDeductionRecordNumber;
constexpr int kP = kPersonalRecordNumber;
constexpr const char* kIncome = "9 所得金額";
constexpr const char* kTypedOver =
    "計算実行した後に入力し直された金額です。規則どおりに計算すると次のとおりです:";

LineRef deductionRef(int field) {
    return {ExplainedScreen::deductions, field};
}
LineRef personalRef(int field) {
    return {ExplainedScreen::personalDeductions, field};
}

// Rows of a table that are added up: each row's name (or a plain one when it has none) and amount.
struct TableRows {
    int record;
    int count;
    int firstName;
    int nameStride; // fields from one row's name to the next
    int firstAmount;
    const char* plainName;
};

// The rows added up and told, then explained as line `field` of the record.
void explainSum(const ReturnFigures& figures, SectionWriter& section, const TableRows& rows, LineRef ref,
                const char* label, double stored, const std::string& otherwise) {
    std::vector<std::string> names;
    std::vector<double> amounts;
    for (int i = 0; i < rows.count; ++i) {
        const std::string name = figures.text(rows.record, rows.firstName + rows.nameStride * i);
        names.push_back(name.empty() ? rows.plainName : name);
        amounts.push_back(figures.number(rows.record, rows.firstAmount + i));
    }
    Derivation how(names);
    sumOf(amounts, &how);
    section.derived(ref, label, stored, how, Provenance::stale, otherwise);
}

void explainDeductionsOne(const ReturnFigures& figures, SectionWriter& section) {
    const auto n = [&](int field) { return figures.number(kD, field); };
    // Clamped: a damaged record may hold any number, and no cast may overflow on it.
    const auto whole = [](double value) { return wholeYen(value); };
    // The limits take the income as the screen showed it when its figures were calculated: line 9.
    const std::int64_t income = wholeYen(shownTotalIncome(figures));
    const std::string changed =
        "保存された金額は計算した時の所得金額などによるものです。今の金額で計算すると次のとおりです:";
    {
        Derivation how({"損害金額", "補てんされる金額", "災害関連支出の金額", kIncome});
        casualtyLossDeduction(whole(n(14)), whole(n(15)), whole(n(16)), income, &how);
        section.derived(deductionRef(34), "⑩ 雑損控除", n(34), how, Provenance::stale, changed);
    }
    {
        Derivation how({"支払医療費", "補てんされる金額", kIncome});
        medicalExpenseDeduction(whole(n(31)), whole(n(32)), income, &how);
        section.derived(deductionRef(35), "⑪ 医療費控除", n(35), how, Provenance::stale, changed);
    }
    explainSum(figures, section, {kD, 3, 5, 1, 17, "支払保険料"}, deductionRef(20), "⑫ 社会保険料控除", n(20),
               changed);
    explainSum(figures, section, {kD, 3, 8, 1, 21, "支払掛金"}, deductionRef(24),
               "⑬ 小規模企業共済等掛金控除", n(24), changed);
    // A direct entry stores the deduction with the premium totals emptied.
    const auto insurance = [&](int field, const char* label, int firstPremium, auto rule,
                               std::vector<std::string> names) {
        if (n(firstPremium) == 0 && n(firstPremium + 1) == 0 && n(field) != 0) {
            section.typed(deductionRef(field), label, n(field), "（保険料控除の直接入力）");
            return;
        }
        Derivation how(std::move(names));
        rule(whole(n(firstPremium)), whole(n(firstPremium + 1)), &how);
        section.derived(deductionRef(field), label, n(field), how, Provenance::stale, changed);
    };
    insurance(36, "⑭ 生命保険料控除", 25, &lifeInsuranceDeduction,
              {"一般の保険料の計", "個人年金保険料の計"});
    insurance(37, "⑮ 損害保険料控除", 27, &nonLifeDeduction, {"長期保険料の計", "短期保険料の計"});
    {
        Derivation how({"特定の寄付金", kIncome});
        donationDeduction(whole(n(30)), income, &how);
        section.derived(deductionRef(38), "⑯ 寄付金控除", n(38), how, Provenance::stale, changed);
    }
}

void explainPersonal(const ReturnFigures& figures, SectionWriter& section) {
    const auto n = [&](int field) { return figures.number(kP, field); };
    const std::string changed = "保存された金額は本人の区分を変える前のものです。今の区分では次のとおりです:";
    {
        Derivation how({"本人の 9 所得金額"});
        const std::string& slot = figures.text(kP, 32);
        // The screen judges such a slot again at every calculation; the limit is then the reason for a 0.
        elderlyOrWidowDeduction(claimsElderly(slot, figures.text(kP, 34), figures.condition()) ? "老年者"
                                                                                               : slot,
                                shownTotalIncome(figures), &how);
        section.derived(personalRef(57), "⑰⑱ 老年者・寡婦（寡夫）控除", n(57), how, Provenance::stale,
                        "保存された金額は本人の区分か 9 所得金額が変わる前のものです。今は次のとおりです:");
    }
    {
        Derivation how;
        studentOrDisabilityDeduction(figures.text(kP, 34), &how);
        section.derived(personalRef(58), "⑲⑳ 勤労学生・障害者控除", n(58), how, Provenance::stale, changed);
    }
    {
        Derivation how({"配偶者の給与収入額"});
        spouseSalaryIncome(wholeYen(n(59)), &how);
        section.derived(personalRef(60), "配偶者の給与所得", n(60), how, Provenance::typed, kTypedOver);
    }
    {
        Derivation how({"配偶者の給与所得", "配偶者のその他の所得"});
        sumOf({n(60), n(61)}, &how);
        section.derived(personalRef(62), "配偶者の合計所得", n(62), how, Provenance::typed, kTypedOver);
    }
    section.typed(personalRef(63), "㉑ 配偶者控除", n(63),
                  n(63) == 0 ? "" : "（「38万」ボタンでも入ります）");
    {
        Derivation how({"配偶者の合計所得", "本人の 9 所得金額"});
        specialSpouseDeduction(wholeYen(n(62)), shownTotalIncome(figures), &how);
        section.derived(personalRef(64), "㉒ 配偶者特別控除", n(64), how, Provenance::typed, kTypedOver);
    }
    explainSum(figures, section, {kP, 4, 4, 3, 48, "扶養親族"}, personalRef(52), "㉓ 扶養控除の合計（万円）",
               n(52), "合計が各人の控除額の和と合いません。計算実行し直してください:");
    explainSum(figures, section, {kP, 3, 16, 5, 53, "専従者"}, personalRef(56), "専従者給与の合計", n(56),
               "合計が各人の給与の和と合いません。計算実行し直してください:");
}

} // namespace

void explainDeductions(const ReturnFigures& figures, Explanation& explanation) {
    if (!figures.has(kD) && !figures.has(kP))
        return;
    SectionWriter section(explanation, "所得控除");
    if (figures.has(kD))
        explainDeductionsOne(figures, section);
    if (figures.has(kP))
        explainPersonal(figures, section);
}

} // namespace kakutei
