#pragma once
// Finding a client in the roster by what the user remembers: the code, or part of the name or its reading,
// typed in half- or full-width, in hiragana or katakana, with or without the space between the names.

#include "office/roster.h"

#include <string>
#include <string_view>

namespace kakutei {

// The form both sides are compared in: ASCII for full-width letters and digits, lower case, full-width
// katakana for hiragana and half-width katakana (voiced marks joined), no spaces.
std::string searchForm(std::string_view text);

// An empty search matches every row. Digits match the start of the code, with or without its leading 0.
bool rosterRowMatches(const RosterRow& row, std::string_view search);

} // namespace kakutei
