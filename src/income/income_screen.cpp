#include "income/income_screen.h"

#include "core/amount_text.h"
#include "income/income_rules.h"

#include <algorithm>

namespace kakutei {

namespace is = income_screen;

namespace {

constexpr int kIncomeRecord = 1;
constexpr int kTaxComputationRecord = 5;
constexpr int kTotalField = 19; // line 9, 0-based

// Record fields (1-based) shown in the summary rows, in order; 0 shows nothing.
constexpr int kSummaryFields[] = {14, 15, 16, 17, 23, 24, 25, 26, 27, -1, 0, 0, 32, 0};
constexpr int kThirdInstalment = -1; // "第３期分の税額": field 26 minus field 27

} // namespace

double IncomeScreen::totalIncome(const std::array<double, is::kAmountCount>& amounts) {
    const auto lines = amounts.begin() + is::kRevenueCount;
    const double ordinary = sumOf({lines, lines + is::kTransferLine});
    if (lossMeetsTransfer(ordinary, amounts[is::kShortTermRow], amounts[is::kLongTermRow],
                          amounts[is::kOccasionalRow], lines[is::kTransferLine]))
        return totalIncomeWithTransfer(ordinary, amounts[is::kShortTermRow], amounts[is::kLongTermRow],
                                       amounts[is::kOccasionalRow]);
    return sumOf({lines, lines + is::kIncomeCount});
}

void IncomeScreen::clear() {
    for (Field& field : revenue)
        field.text.clear();
    for (Field& field : income)
        field.text.clear();
    total.text.clear();
}

void IncomeScreen::calculate() {
    nenGO();
    if (!fileCode())
        return;
    for (int i = 0; i < is::kRevenueCount; ++i)
        amounts_[i] = readAmount(revenue[i].text);
    for (int i = 0; i < is::kIncomeCount; ++i)
        amounts_[is::kRevenueCount + i] = readAmount(income[i].text);
    // Income 7 is always the pension income; whatever was typed there is replaced.
    const int pensionField = is::kRevenueCount + is::kPensionLine;
    amounts_[pensionField] = publicPensionIncome(amounts_[is::kPensionRow], elderly());
    income[is::kPensionLine].text = formatAmount(amounts_[pensionField]);
    amounts_[kTotalField] = totalIncome(amounts_);

    RecordWriter writer(screenRecordSchema(kIncomeRecord));
    for (double amount : amounts_)
        writer.number(amount);
    if (!saveRecord(writer, kIncomeRecord))
        return;
    clear();
    data();
}

void IncomeScreen::data() {
    nenGO();
    amounts_ = {};
    load(currentYear());
}

void IncomeScreen::previousYearData() {
    nenGO();
    load(previousYear());
}

void IncomeScreen::load(Loading loading) {
    showDeductions();
    if (!fileCode())
        return;
    setWorkingYearCode(std::string(loading.yearCode));
    const StoredRecord stored = readOwnRecord(kIncomeRecord);
    if (!stored.readable())
        return;
    std::copy(stored.values.numbers.begin(), stored.values.numbers.end(), amounts_.begin());
    show(loading.colour);
    host_.setDeductionsTotalIncome({id(), heldCode(), Handing::followUp},
                                   formatAmount(amounts_[kTotalField]));
}

void IncomeScreen::show(Colour colour) {
    for (int i = 0; i < is::kRevenueCount; ++i)
        revenue[i] = {formatAmount(amounts_[i]), colour};
    for (int i = 0; i < is::kIncomeCount; ++i)
        income[i] = {formatAmount(amounts_[is::kRevenueCount + i]), colour};
    total = {formatAmount(amounts_[kTotalField]), colour};
}

void IncomeScreen::showDeductions() {
    clear();
    // Emptied first, so that a taxpayer without a tax computation never sees the previous one's figures.
    for (Field& field : summary)
        field.text.clear();
    if (!fileCode())
        return;
    // A damaged tax record is said, and the summary stays empty rather than showing guesses.
    const StoredRecord stored = readScreenRecord(kTaxComputationRecord);
    if (!stored.readable())
        return;
    const std::vector<double>& fields = stored.values.numbers;
    for (std::size_t row = 0; row < summary.size(); ++row) {
        const int field = kSummaryFields[row];
        if (field == kThirdInstalment)
            summary[row].text = formatAmount(fields[26 - 1] - fields[27 - 1]);
        else if (field > 0)
            summary[row].text = formatAmount(fields[field - 1]);
        else
            summary[row].text.clear();
    }
}

void IncomeScreen::calculateSalary() {
    const double revenueAmount = readAmount(revenue[is::kSalaryRow].text);
    const double salary = salaryIncomeFromRevenue(revenueAmount);
    income[is::kSalaryLine].text = formatAmount(salary);
    revenue[is::kSalaryRow].text = formatAmount(revenueAmount);
    // The calculation reads the shown text back, so the stored income 6 is in whole yen.
    calculate();
}

void IncomeScreen::calculateTransfer() {
    const double shortTerm = readAmount(revenue[is::kShortTermRow].text);
    const double longTerm = readAmount(revenue[is::kLongTermRow].text);
    const double occasional = readAmount(revenue[is::kOccasionalRow].text);
    amounts_[is::kShortTermRow] = shortTerm;
    amounts_[is::kLongTermRow] = longTerm;
    amounts_[is::kOccasionalRow] = occasional;
    if (shortTerm != 0 || longTerm != 0 || occasional != 0) {
        const double line8 = transferOccasionalIncome(shortTerm, longTerm, occasional);
        amounts_[is::kRevenueCount + is::kTransferLine] = line8;
        revenue[is::kShortTermRow].text = formatAmount(shortTerm);
        revenue[is::kLongTermRow].text = formatAmount(longTerm);
        revenue[is::kOccasionalRow].text = formatAmount(occasional);
        income[is::kTransferLine].text = formatAmount(line8);
    }
    calculate();
}

void IncomeScreen::actualAmount() {
    const double salaryRevenue = readAmount(revenue[is::kSalaryRow].text);
    amounts_[is::kSalaryRow] = salaryRevenue;
    host_.setActualAmountRevenue(heldCode().value_or(std::string()), formatAmount(salaryRevenue));
    calculate();
    ui().show(ScreenId::actualAmount);
}

void IncomeScreen::clearSalary() {
    revenue[is::kSalaryRow].text.clear();
    income[is::kSalaryLine].text.clear();
}

} // namespace kakutei
