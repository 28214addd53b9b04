#pragma once
// The one code that `check` and `compare` take.

#include "core/data_store.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace kakutei {

// The code `word` names, if a taxpayer is registered under it. Otherwise nothing, the reason on `err`, and
// in `status` the exit status to end with: 2 when the word is no code at all, 1 when nobody has that code.
std::optional<PersonCode> commandCode(const DataStore& store, const std::string& word, std::ostream& err,
                                      int& status);

} // namespace kakutei
