#include "app/roster_command.h"

#include "app/batch_commands.h"
#include "core/data_store.h"
#include "core/store_error.h"
#include "office/roster.h"
#include "office/roster_csv.h"
#include "office/roster_table.h"
#include "registry/output_gate.h"

#include <ostream>

namespace kakutei {
namespace {

void printTable(const std::vector<RosterRow>& rows, std::ostream& out) {
    for (int column = 0; column < kRosterColumnCount; ++column)
        out << (column ? "\t" : "") << kRosterHeaders[static_cast<std::size_t>(column)];
    out << '\n';
    for (const RosterRow& row : rows) {
        for (int column = 0; column < kRosterColumnCount; ++column)
            out << (column ? "\t" : "") << rosterCellText(row, static_cast<RosterColumn>(column));
        out << '\n';
    }
}

} // namespace

int runRosterCommand(const DataStore& store, const std::optional<std::string>& csv, std::ostream& out,
                     std::ostream& err) {
    const std::vector<RosterRow> rows = readRoster(store, kYearCode);
    bool unreadable = false;
    for (const RosterRow& row : rows)
        for (const UnreadableRecord& record : row.unreadable) {
            err << "個人コード " << row.code << "（" << row.name << "）: " << unreadableLine(record)
                << "このファイルの数字は一覧では空けてあります。\n";
            unreadable = true;
        }
    if (csv) {
        if (const auto error = writeRosterCsv(OutputGate(store), *csv, rows)) {
            err << "「" << *csv << "」に書けません。" << describeError(error) << '\n';
            return kExitFailure;
        }
    } else {
        printTable(rows, out);
    }
    return unreadable ? kExitFailure : kExitOk;
}

} // namespace kakutei
