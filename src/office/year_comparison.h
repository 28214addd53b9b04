#pragma once
// Last year beside this year: lines 9 to 53 of one client's return as stored in this year's folder and in
// the earlier year's, with the difference, and the lines that moved by more than a tenth marked. Both
// years are only read: the earlier year's folder may well be an archive nobody may write to.

#include "core/data_store.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kakutei {

struct ComparisonRow {
    int line = 0;
    std::string caption;
    // As stored, fractions of a yen and all; nothing where that year's record is not there or cannot be
    // read.
    std::optional<double> thisYear;
    std::optional<double> lastYear;

    // This year less last year, taken from the stored figures and then shown in whole yen; nothing unless
    // both years have the figure.
    std::optional<std::int64_t> difference() const;
    // Moved by more than a tenth of last year's figure; from 0 to anything else counts.
    bool changed() const;
};

struct YearComparison {
    PersonCode code = 0;
    std::string name;
    bool registered = false;
    std::string thisYear; // the year codes compared, "H16" and "H14"
    std::string lastYear;
    std::vector<ComparisonRow> rows; // line 9, then lines 10 to 53 in the order of the form
    // What is not there yet, and which column it leaves empty.
    std::vector<std::string> notes;
    // Files that are there but cannot be read, each named with the reason; their column is empty too.
    std::vector<std::string> unreadable;
    // The registration when it is there but cannot be read: the name is not known.
    std::optional<std::string> damagedRegistration;
};

YearComparison compareYears(const DataStore& store, PersonCode code, std::string_view thisYear = kYearCode,
                            std::string_view lastYear = kPreviousYearCode);

// "個人コード 7　山田太郎" and "今年（平成16年分）と前年（平成14年分）": what stands above the table.
std::string comparisonClientLine(const YearComparison& comparison);
std::string comparisonYearsLine(const YearComparison& comparison);

enum class ComparisonColumn { line, caption, thisYear, lastYear, difference, mark };
inline constexpr int kComparisonColumnCount = 6;
inline constexpr std::array<std::string_view, kComparisonColumnCount> kComparisonHeaders = {
    "行", "項目", "今年", "前年", "差額", ""};
inline constexpr std::string_view kChangedMark = "＊";
inline constexpr std::string_view kChangedLegend = "＊ 前年から１割を超えて増減した行";

// A stored figure in whole yen as every screen shows it: halves away from zero.
std::optional<std::int64_t> shownYen(const std::optional<double>& stored);

// Amounts with group commas, a difference with its sign; a blank where a year has no figure.
std::string comparisonCellText(const ComparisonRow& row, ComparisonColumn column);
bool comparisonColumnIsNumeric(ComparisonColumn column);

} // namespace kakutei
