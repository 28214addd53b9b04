#pragma once
// AmountText: how every amount is shown on the screens ("#,###", zero as an empty field) and read back.
// Reading never fails: text that is not a number, or that does not fit the screen's type, reads as 0.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kakutei {

std::string formatAmount(double value);
std::string formatAmount(std::int64_t value);
inline std::string formatAmount(std::int32_t value) {
    return formatAmount(static_cast<std::int64_t>(value));
}

// For screens that hold their amounts as 64-bit floating point.
double readAmount(std::string_view text);
// For screens that hold their amounts as 32-bit integers: a fraction rounds half to even.
std::int32_t readIntegerAmount(std::string_view text);

// The number a field holds, if it holds one: surrounding spaces, group commas in the whole part and
// full-width digits, comma, point and minus are accepted.
std::optional<double> parseNumber(std::string_view text);

// Half to even, and nullopt when the result does not fit.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);

} // namespace kakutei
