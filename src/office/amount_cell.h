#pragma once
// How the office's tables show a stored amount.

#include "core/amount_text.h"

#include <cstdint>
#include <string>

namespace kakutei {

// Zero shows as "0": in these tables a blank means "nothing stored".
inline std::string amountCell(std::int64_t amount) {
    return amount == 0 ? "0" : formatAmount(amount);
}

} // namespace kakutei
