#pragma once
// `kakutei [--root DIR] compare CODE [--csv FILE]`: one client's lines 9 to 53 beside the earlier year's.

#include <iosfwd>
#include <optional>
#include <string>

namespace kakutei {

class DataStore;

// Reads only: not even a missing folder is made. Exit status 0 when both years could be read (a year that
// is not there is no failure), 1 when a record could not be read, the CSV could not be written or the
// client is not registered, 2 when CODE is no code.
int runCompareCommand(const DataStore& store, const std::string& word, const std::optional<std::string>& csv,
                      std::ostream& out, std::ostream& err);

} // namespace kakutei
