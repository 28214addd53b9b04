#include "tax/housing_loan_screen.h"

#include "core/amount_text.h"

#include <cstdio>

namespace kakutei {

namespace hl = housing_loan;

namespace {

constexpr int kHousingLoanLine = 30;

// A date part as a plain number: no grouping, 0 shown as "0".
std::string plainNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

} // namespace

std::optional<std::string> HousingLoanScreen::recordPath() const {
    const auto code = personCode();
    if (!code)
        return std::nullopt;
    const auto name = names::housingLoanFile(*code, workingYearCode());
    if (!name)
        return std::nullopt;
    return store().path(*name);
}

void HousingLoanScreen::calculatePeriod(std::size_t period) {
    values_[0] = readAmount(year.text);
    values_[1] = readAmount(month.text);
    values_[2] = readAmount(day.text);
    values_[3] = readAmount(balance.text);
    const double credit = housingLoanCredit(hl::kPeriodRules[period], values_[3]);
    for (std::size_t i = 0; i < results.size(); ++i)
        values_[4 + i] = i == period ? credit : 0;
    clear();
    year.text = plainNumber(values_[0]);
    month.text = plainNumber(values_[1]);
    day.text = plainNumber(values_[2]);
    results[period].text = formatAmount(credit);
    balance.text = formatAmount(values_[3]);
    host_.setTaxComputationLine(kHousingLoanLine, Field{formatAmount(credit)});
    save();
}

void HousingLoanScreen::save() {
    nenGO();
    const auto path = recordPath();
    if (!path)
        return;
    RecordWriter writer;
    for (double value : values_)
        writer.number(value);
    writer.fillers();
    // This screen's save fails silently; the credit has already reached line 30. A stored record that
    // cannot be read is still never replaced, and that is said.
    saveRecordAt(*path, kHousingLoanShape, writer, {});
}

void HousingLoanScreen::data() {
    nenGO();
    // A taxpayer without a record starts from an empty one, never from the previous taxpayer's.
    values_ = {};
    const auto path = recordPath();
    if (!path)
        return;
    if (examineRecordAt(*path, kHousingLoanShape) != StoredState::readable)
        return;
    const auto record = readRecordValues(*path, 0, 8);
    if (!record)
        return;
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i] = record->numbers[i];
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
