#pragma once
// `kakutei roster [--csv FILE]`: the client roster on stdout, or as a CSV file for a spreadsheet.

#include <iosfwd>
#include <optional>
#include <string>

namespace kakutei {

class DataStore;

int runRosterCommand(const DataStore& store, const std::optional<std::string>& csv, std::ostream& out,
                     std::ostream& err);

} // namespace kakutei
