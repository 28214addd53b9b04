#pragma once
// The comparison as plain text for a terminal: the client on top, then the lines in aligned columns, then
// what is missing.

#include "office/year_comparison.h"

#include <string>
#include <string_view>

namespace kakutei {

std::string comparisonReport(const YearComparison& comparison);

// The columns a text takes in a terminal: two for a full-width character, one for the rest.
std::size_t displayWidth(std::string_view text);

} // namespace kakutei
