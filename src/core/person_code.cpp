#include "core/person_code.h"

#include "core/amount_text.h"
#include "core/store_error.h"

namespace kakutei {

CodeReading readCode(std::string_view text) {
    const auto number = parseNumber(text);
    if (!number)
        return {std::nullopt, StoreErrc::typeMismatch};
    const auto code = toInt16(*number);
    if (!code)
        return {std::nullopt, StoreErrc::overflow};
    return {code, {}};
}

} // namespace kakutei
