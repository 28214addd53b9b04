#pragma once
// The roster as a CSV file for a spreadsheet (see office/csv_text.h for why it is CP932).

#include "office/roster.h"

#include <string>
#include <system_error>
#include <vector>

namespace kakutei {

class OutputGate;

// The CSV text in UTF-8: a header row, then one row per client.
std::string rosterCsv(const std::vector<RosterRow>& rows);

// Writes the CSV in CP932 through the output gate.
std::error_code writeRosterCsv(const OutputGate& gate, const std::string& path,
                               const std::vector<RosterRow>& rows);

} // namespace kakutei
