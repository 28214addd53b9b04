#pragma once
// Times as the user reads them.

#include <cstdint>
#include <string>

namespace kakutei {

// "2026/12/10 15:49" in local time.
std::string localTimeText(std::int64_t secondsSinceEpoch);

} // namespace kakutei
