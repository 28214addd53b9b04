#pragma once
// The roster as a CSV file for a spreadsheet. It is CP932 with CRLF, like every data file: a Japanese
// spreadsheet opens a CP932 file by double-click without an import step (older ones do not recognise UTF-8
// at all), and every name in the roster was read from CP932, so nothing is lost. Amounts are plain
// integers, so that the spreadsheet can add them up.

#include "office/roster.h"

#include <string>
#include <system_error>
#include <vector>

namespace kakutei {

// The CSV text in UTF-8: a header row, then one row per client.
std::string rosterCsv(const std::vector<RosterRow>& rows);

// Writes the CSV in CP932, atomically.
std::error_code writeRosterCsv(const std::string& path, const std::vector<RosterRow>& rows);

} // namespace kakutei
