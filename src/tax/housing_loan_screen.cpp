#include "tax/housing_loan_screen.h"

#include "core/amount_text.h"

#include <algorithm>
#include <cstdio>

namespace kakutei {

namespace hl = housing_loan;

namespace {

constexpr int kHousingLoanLine = 30;
constexpr int kHousingLoanRecord = 6;
constexpr int kIncomeRecord = 1;
constexpr int kIncomeTotalField = 20; // line 9

// A date part as a plain number: no grouping, 0 shown as "0".
std::string plainNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

} // namespace

void HousingLoanScreen::calculatePeriod(std::size_t period) {
    std::array<double, 8> values{readAmount(year.text), readAmount(month.text), readAmount(day.text),
                                 readAmount(balance.text)};
    const bool known = fileCode().has_value();
    const StoredRecord income = known ? readScreenRecord(kIncomeRecord) : StoredRecord{};
    const double totalIncome = income.readable() ? income.values.numbers.at(kIncomeTotalField - 1) : 0;
    const std::optional<std::string> refusal =
        housingLoanRefusal(hl::kPeriodRules[period], values[0], totalIncome);
    const double credit = refusal ? 0 : housingLoanCredit(hl::kPeriodRules[period], values[3]);
    values[4 + period] = credit;
    // Line 30 first: when the tax computation screen holds another taxpayer, the press changes nothing.
    if (!host_.setTaxComputationLines({id(), heldCode()}, {{kHousingLoanLine, Field{formatAmount(credit)}}}))
        return;
    values_ = values;
    clear();
    year.text = plainNumber(values_[0]);
    month.text = plainNumber(values_[1]);
    day.text = plainNumber(values_[2]);
    results[period].text = formatAmount(credit);
    balance.text = formatAmount(values_[3]);
    save();
    if (refusal && known) // a code that names nobody keeps the press silent, as every other button does
        ui().warn(hl::kCaption, *refusal);
}

void HousingLoanScreen::save() {
    nenGO();
    RecordWriter writer(screenRecordSchema(kHousingLoanRecord));
    for (double value : values_)
        writer.number(value);
    // This screen's save fails silently; the credit has already reached line 30. A refusal (a stored record
    // that cannot be read, another program, another taxpayer) is still said.
    saveRecord(writer, kHousingLoanRecord, {});
}

void HousingLoanScreen::data() {
    nenGO();
    // A taxpayer without a record starts from an empty one, never from the previous taxpayer's.
    values_ = {};
    const StoredRecord record = readOwnRecord(kHousingLoanRecord);
    if (!record.readable())
        return;
    std::copy(record.values.numbers.begin(), record.values.numbers.end(), values_.begin());
    year.text = formatAmount(values_[0]);
    month.text = formatAmount(values_[1]);
    day.text = formatAmount(values_[2]);
    balance.text = formatAmount(values_[3]);
    for (std::size_t i = 0; i < results.size(); ++i)
        results[i].text = formatAmount(values_[4 + i]);
}

void HousingLoanScreen::clear() {
    for (Field* field : {&year, &month, &day, &balance})
        field->text.clear();
    for (Field& result : results)
        result.text.clear();
}

void HousingLoanScreen::close() {
    ui().hide(ScreenId::housingLoan);
}

} // namespace kakutei
