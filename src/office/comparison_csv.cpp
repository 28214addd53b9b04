#include "office/comparison_csv.h"

#include "office/csv_text.h"

namespace kakutei {

std::string comparisonCsv(const YearComparison& comparison) {
    std::string csv = "行,項目,今年,前年,差額,１割超の増減\r\n";
    for (const ComparisonRow& row : comparison.rows)
        csv += std::to_string(row.line) + ',' + csvField(row.caption) + ',' +
               csvAmount(shownYen(row.thisYear)) + ',' + csvAmount(shownYen(row.lastYear)) + ',' +
               csvAmount(row.difference()) + ',' +
               (row.changed() ? std::string(kChangedMark) : std::string()) + "\r\n";
    return csv;
}

std::error_code writeComparisonCsv(const OutputGate& gate, const std::string& path,
                                   const YearComparison& comparison) {
    return writeCsvFile(gate, path, comparisonCsv(comparison));
}

} // namespace kakutei
