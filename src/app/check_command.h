#pragma once
// `kakutei [--root DIR] check CODE`: the checks before printing for one client, one warning a line.

#include <iosfwd>
#include <string>

namespace kakutei {

class DataStore;

// Exit status 0 when every record could be read (with warnings or without), 1 when one could not (it is
// named on `err`) or the client is not registered, 2 when CODE is no code.
int runCheckCommand(const DataStore& store, const std::string& word, std::ostream& out, std::ostream& err);

} // namespace kakutei
