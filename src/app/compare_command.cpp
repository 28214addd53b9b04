#include "app/compare_command.h"

#include "app/batch_commands.h"
#include "app/code_argument.h"
#include "core/store_error.h"
#include "office/comparison_csv.h"
#include "office/comparison_report.h"
#include "office/year_comparison.h"
#include "registry/output_gate.h"

#include <ostream>

namespace kakutei {

int runCompareCommand(const DataStore& store, const std::string& word, const std::optional<std::string>& csv,
                      std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    const auto code = commandCode(store, word, err, status);
    if (!code)
        return status;
    const YearComparison comparison = compareYears(store, *code);
    if (comparison.damagedRegistration)
        err << *comparison.damagedRegistration << '\n';
    for (const std::string& problem : comparison.unreadable)
        err << problem << "この列は空けてあります。\n";
    if (csv) {
        if (const auto error = writeComparisonCsv(OutputGate(store), *csv, comparison)) {
            err << "「" << *csv << "」に書けません。" << describeError(error) << '\n';
            return kExitFailure;
        }
        for (const std::string& note : comparison.notes)
            err << note << '\n';
        out << "個人コード " << *code << " の前年比較を「" << *csv << "」に書き出しました。\n";
    } else {
        out << comparisonReport(comparison);
    }
    return comparison.unreadable.empty() && !comparison.damagedRegistration ? kExitOk : kExitFailure;
}

} // namespace kakutei
