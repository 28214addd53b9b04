#include "core/amount_text.h"

#include "core/utf8.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kakutei {
namespace {

std::string groupDigits(const std::string& digits, bool negative) {
    std::string out;
    if (negative)
        out += '-';
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename Int> std::optional<Int> roundToInteger(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode is half to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace

std::string formatAmount(double value) {
    if (!std::isfinite(value))
        return {};
    const double rounded = std::round(value); // display only: halves away from zero
    if (rounded == 0)
        return {};
    // Every digit of a whole double, however large: an amount is never shown cut or as an exponent.
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", std::fabs(rounded));
    return groupDigits(digits, rounded < 0);
}

std::string formatAmount(std::int64_t value) {
    if (value == 0)
        return {};
    const std::uint64_t magnitude =
        value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return groupDigits(std::to_string(magnitude), value < 0);
}

std::optional<double> parseNumber(std::string_view raw) {
    const std::string halfWidth = toHalfWidthAscii(raw);
    std::string_view text = trimSpaces(halfWidth);
    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        plain += text[i++];
    bool digits = false;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == ','); ++i) {
        if (text[i] == ',') {
            if (!digits) // a comma must follow a digit
                return std::nullopt;
            continue;
        }
        digits = true;
        plain += text[i];
    }
    if (i < text.size() && text[i] == '.') {
        plain += text[i++];
        for (; i < text.size() && isDigit(text[i]); ++i) {
            digits = true;
            plain += text[i];
        }
    }
    if (!digits || i != text.size())
        return std::nullopt;
    // from_chars, unlike strtod, ignores the locale that Qt sets at start-up. It takes no '+'.
    std::string_view number = plain;
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value == 0 ? 0.0 : value;
}

std::optional<std::int16_t> toInt16(double value) {
    return roundToInteger<std::int16_t>(value);
}
std::optional<std::int32_t> toInt32(double value) {
    return roundToInteger<std::int32_t>(value);
}

double readAmount(std::string_view text) {
    return parseNumber(text).value_or(0.0);
}

std::int32_t readIntegerAmount(std::string_view text) {
    const auto value = parseNumber(text);
    return value ? toInt32(*value).value_or(0) : 0;
}

} // namespace kakutei
