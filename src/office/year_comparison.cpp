#include "office/year_comparison.h"

#include "core/store_error.h"
#include "core/stored_record.h"
#include "core/taxpayer_record.h"
#include "income/income_rules.h"
#include "office/amount_cell.h"
#include "tax/tax_computation_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kakutei {
namespace {

namespace tc = tax_computation;

constexpr int kIncomeTotalField = 20; // income record: line 9

struct RecordKind {
    int k;
    std::string_view name; // as the screen that stores it is called
};
constexpr RecordKind kIncome{1, "所得金額"};
constexpr RecordKind kTaxComputation{5, "税額の計算"};

struct YearRecords {
    StoredRecord income;
    StoredRecord taxComputation;
};

// Reads the two records of one year; says on `comparison` what is missing or unreadable.
YearRecords readYear(const DataStore& store, PersonCode code, std::string_view yearCode,
                     std::string_view label, YearComparison& comparison) {
    const auto read = [&](const RecordKind& kind) {
        const auto name = names::screenFile(code, kind.k, yearCode);
        if (!name)
            return StoredRecord{};
        const std::string path = store.path(*name);
        StoredRecord stored = readRecordFile(path, screenRecordSchema(kind.k));
        if (stored.check.state == StoredState::unreadable)
            comparison.unreadable.push_back(std::string(label) + "の" + std::string(kind.name) +
                                            "のファイル「" + path + "」を読めません。" +
                                            unreadableReason(stored.check));
        return stored;
    };
    YearRecords year{read(kIncome), read(kTaxComputation)};
    const bool incomeMissing = year.income.check.state == StoredState::missing;
    const bool taxMissing = year.taxComputation.check.state == StoredState::missing;
    if (incomeMissing && taxMissing)
        comparison.notes.push_back(std::string(label) + "のデータがありません。");
    else if (incomeMissing)
        comparison.notes.push_back(std::string(label) + "の" + std::string(kIncome.name) +
                                   "のデータがありません（９欄）。");
    else if (taxMissing)
        comparison.notes.push_back(std::string(label) + "の" + std::string(kTaxComputation.name) +
                                   "のデータがありません（10〜53 欄）。");
    return year;
}

std::optional<double> amountOf(const StoredRecord& stored, int field) {
    if (stored.check.state != StoredState::readable)
        return std::nullopt;
    return stored.values.numbers.at(static_cast<std::size_t>(field - 1));
}

std::optional<double> lineAmount(const YearRecords& year, const tc::Line& line) {
    return line.recordField == 0 ? amountOf(year.income, kIncomeTotalField)
                                 : amountOf(year.taxComputation, line.recordField);
}

std::string captionOf(const tc::Line& line) {
    return line.secondLine.empty() ? std::string(line.caption)
                                   : std::string(line.caption) + " " + std::string(line.secondLine);
}

} // namespace

std::optional<std::int64_t> shownYen(const std::optional<double>& stored) {
    if (!stored)
        return std::nullopt;
    if (!std::isfinite(*stored))
        return 0;
    // Beyond ±9.2e18 there is no whole-yen figure to show; clamp rather than overflow.
    constexpr double kLargest = 9.2e18;
    return std::llround(std::clamp(*stored, -kLargest, kLargest));
}

std::optional<std::int64_t> ComparisonRow::difference() const {
    if (!thisYear || !lastYear)
        return std::nullopt;
    return shownYen(*thisYear - *lastYear);
}

bool ComparisonRow::changed() const {
    if (!thisYear || !lastYear)
        return false;
    return std::fabs(*thisYear - *lastYear) * 10 > std::fabs(*lastYear);
}

YearComparison compareYears(const DataStore& store, PersonCode code, std::string_view thisYear,
                            std::string_view lastYear) {
    YearComparison comparison;
    comparison.code = code;
    comparison.thisYear = thisYear;
    comparison.lastYear = lastYear;
    const TaxpayerRead taxpayer = readTaxpayerRecord(store, code);
    comparison.registered = taxpayer.registered();
    if (!comparison.registered)
        return comparison;
    comparison.name = taxpayer.readable() ? taxpayer.record.name : std::string(kDamagedRegistration);
    if (taxpayer.check.state == StoredState::unreadable)
        comparison.damagedRegistration = unreadableText(taxpayer.path, taxpayer.check);
    const YearRecords now = readYear(store, code, thisYear, "今年", comparison);
    const YearRecords before = readYear(store, code, lastYear, "前年", comparison);
    for (const tc::Line& line : tc::kLines)
        comparison.rows.push_back(
            {line.number, captionOf(line), lineAmount(now, line), lineAmount(before, line)});
    return comparison;
}

std::string comparisonClientLine(const YearComparison& comparison) {
    return "個人コード " + std::to_string(comparison.code) + "　" + comparison.name;
}

std::string comparisonYearsLine(const YearComparison& comparison) {
    // "H16" is the Heisei era's year 16.
    const auto title = [](const std::string& yearCode) {
        return yearCode.starts_with('H') ? "平成" + yearCode.substr(1) + "年分" : yearCode;
    };
    return "今年（" + title(comparison.thisYear) + "）と前年（" + title(comparison.lastYear) + "）";
}

std::string comparisonCellText(const ComparisonRow& row, ComparisonColumn column) {
    const auto amount = [](const std::optional<std::int64_t>& value) {
        return value ? amountCell(*value) : std::string();
    };
    const auto stored = [&](const std::optional<double>& value) { return amount(shownYen(value)); };
    switch (column) {
    case ComparisonColumn::line:
        return std::to_string(row.line);
    case ComparisonColumn::caption:
        return row.caption;
    case ComparisonColumn::thisYear:
        return stored(row.thisYear);
    case ComparisonColumn::lastYear:
        return stored(row.lastYear);
    case ComparisonColumn::difference: {
        const auto moved = row.difference();
        return moved && *moved > 0 ? "+" + amountCell(*moved) : amount(moved);
    }
    case ComparisonColumn::mark:
        return row.changed() ? std::string(kChangedMark) : std::string();
    }
    return {};
}

bool comparisonColumnIsNumeric(ComparisonColumn column) {
    return column == ComparisonColumn::line || column == ComparisonColumn::thisYear ||
           column == ComparisonColumn::lastYear || column == ComparisonColumn::difference;
}

} // namespace kakutei
