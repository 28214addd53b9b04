#include "explain/screen_explanations.h"

#include "income/income_rules.h"
#include "income/income_screen.h"

#include <array>
#include <string>

namespace kakutei {

namespace {

constexpr int k = kIncomeRecordNumber;

constexpr std::array<const char*, 11> kRevenueLabels = {
    "ア 営業等",     "イ 農業",   "ウ 不動産",        "エ 利子",          "オ 配当", "カ 給与",
    "キ 公的年金等", "ク その他", "ケ 総合譲渡 短期", "コ 総合譲渡 長期", "サ 一時"};
constexpr std::array<const char*, 9> kIncomeLabels = {
    "1 営業等",           "2 農業",           "3 不動産", "4 利子", "5 配当", "6 給与",
    "7 雑（公的年金等）", "8 総合譲渡・一時", "9 合計"};

// Record fields: rows ア to サ are 1 to 11, lines 1 to 9 are 12 to 20.
constexpr int revenueField(int row) {
    return row + 1;
}
constexpr int lineField(int line) {
    return 11 + line;
}

LineRef incomeRef(int field) {
    return {ExplainedScreen::income, field};
}

} // namespace

double shownTotalIncome(const ReturnFigures& figures) {
    return asShown(figures.number(k, lineField(9)));
}

void explainIncome(const ReturnFigures& figures, Explanation& explanation) {
    if (!figures.has(k))
        return;
    namespace is = income_screen;
    const auto revenue = [&](int row) { return figures.number(k, revenueField(row)); };
    const auto line = [&](int number) { return figures.number(k, lineField(number)); };
    const auto label = [](int number) {
        return std::string(kIncomeLabels[static_cast<std::size_t>(number - 1)]);
    };

    SectionWriter revenues(explanation, "収入金額等");
    for (int row = 0; row < is::kRevenueCount; ++row)
        revenues.typed(incomeRef(revenueField(row)), kRevenueLabels[static_cast<std::size_t>(row)],
                       revenue(row));

    SectionWriter incomes(explanation, "所得金額");
    for (int number = 1; number <= 5; ++number)
        incomes.typed(incomeRef(lineField(number)), label(number), line(number));

    {
        Derivation how({kRevenueLabels[is::kSalaryRow]});
        const double salary = salaryIncomeFromRevenue(revenue(is::kSalaryRow), &how);
        // The screen stores income 6 as it shows it, in whole yen.
        const double stored = asShown(salary);
        if (stored != salary)
            how.step(yenText(salary) + " → " + yenText(stored) + "（1円未満四捨五入）");
        how.arrive(stored);
        incomes.derived(
            incomeRef(lineField(6)), label(6), line(6), how, Provenance::typed,
            "入力された金額です（実額計算の結果もこう扱います）。給与所得の表で計算すると次のとおりです:");
    }
    {
        Derivation how({kRevenueLabels[is::kPensionRow]});
        const bool elderly = figures.condition() == is::kElderly;
        publicPensionIncome(revenue(is::kPensionRow), elderly, &how);
        incomes.derived(
            incomeRef(lineField(7)), label(7), line(7), how, Provenance::stale,
            "キ 公的年金等 か 本人の条件（老年者）が計算の後に変わっています。今計算すると次のとおりです:");
    }
    {
        Derivation how({kRevenueLabels[is::kShortTermRow], kRevenueLabels[is::kLongTermRow],
                        kRevenueLabels[is::kOccasionalRow]});
        const double income = transferOccasionalIncome(revenue(is::kShortTermRow), revenue(is::kLongTermRow),
                                                       revenue(is::kOccasionalRow), &how);
        how.arrive(asShown(income));
        incomes.derived(incomeRef(lineField(8)), label(8), line(8), how, Provenance::typed,
                        "入力された金額です。ケ・コ・サ から自動計算すると次のとおりです:");
    }
    {
        std::vector<std::string> names;
        std::vector<double> terms;
        for (int number = 1; number <= 8; ++number) {
            names.push_back(label(number));
            terms.push_back(line(number));
        }
        const double ordinary = sumOf({terms.begin(), terms.begin() + 7});
        const double shortTerm = revenue(is::kShortTermRow);
        const double longTerm = revenue(is::kLongTermRow);
        const double occasional = revenue(is::kOccasionalRow);
        const bool offset = lossMeetsTransfer(ordinary, shortTerm, longTerm, occasional, line(8));
        Derivation how(offset ? std::vector<std::string>{} : names);
        if (offset)
            totalIncomeWithTransfer(ordinary, shortTerm, longTerm, occasional, &how);
        else
            sumOf(terms, &how);
        incomes.derived(
            incomeRef(lineField(9)), label(9), line(9), how, Provenance::stale,
            offset ? "合計が 1 から 8 と ケ・コ・サ から計算したものと合いません。計算実行し直してください:"
                   : "合計が 1 から 8 の和と合いません。計算実行し直してください:");
    }
}

} // namespace kakutei
