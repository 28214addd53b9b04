#pragma once
// The one record syntax of every data file: CP932, one value per line, CRLF; texts between double quotes
// with no escape, numbers in plain decimal. What each file holds is its schema (core/record_schema.h).

#include "core/file_io.h"

#include <optional>
#include <string>
#include <string_view>

namespace kakutei {

inline constexpr int kFillerCount = 12;

// A text that cannot be stored: CP932 cannot hold it, it holds a double quote (the syntax has no escape, so
// it would not read back as typed), or it holds a control character (a line break would end the value
// early and shift every later one; the others cannot be seen on screen or on the printed form).
struct UnstorableText {
    std::string field;  // the field's caption, as the screen shows it
    char32_t character; // the first offending character
};

// U+0000 to U+001F and U+007F, line breaks and tabs among them.
constexpr bool isControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

struct Message {
    std::string title;
    std::string body;
};
Message unstorableTextMessage(const UnstorableText& problem);

// Plain decimal with at most 15 significant digits and never an exponent: 750000.7 → "750000.7".
std::string formatRecordNumber(double value);

// The first character of a text that the record syntax or CP932 cannot hold, if any.
std::optional<char32_t> unstorableCharacter(std::string_view utf8);

} // namespace kakutei
