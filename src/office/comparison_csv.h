#pragma once
// The comparison of one client's two years as a CSV file for a spreadsheet.

#include "office/year_comparison.h"

#include <string>
#include <system_error>

namespace kakutei {

class OutputGate;

// The CSV text in UTF-8: a header row, then one row per line of the return; a year without the figure
// leaves its field and the difference empty.
std::string comparisonCsv(const YearComparison& comparison);

// Writes the CSV in CP932 through the output gate.
std::error_code writeComparisonCsv(const OutputGate& gate, const std::string& path,
                                   const YearComparison& comparison);

} // namespace kakutei
