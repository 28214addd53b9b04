#pragma once
// Reading a 16-bit code (a PersonCode, a company code) from a box: the amount reading rules, but a text that
// is no number, or one that does not fit, is an error the caller may report.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kakutei {

struct CodeReading {
    std::optional<std::int16_t> code;
    std::error_code error; // typeMismatch or overflow when there is no code
};

CodeReading readCode(std::string_view text);
// Why a box holds no code, as a message for the person who typed it: nothing typed, no number, too large.
std::string codeProblem(std::string_view text);

} // namespace kakutei
