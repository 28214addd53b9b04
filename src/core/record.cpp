#include "core/record.h"

#include "core/cp932.h"
#include "core/utf8.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kakutei {
namespace {

std::string characterText(char32_t c) {
    std::string out;
    appendUtf8(out, c);
    return out;
}

// "U+001B": a control character has no glyph of its own, so the message names it by its number.
std::string codePointName(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

// Where a text holds its first double quote or control character, which the syntax cannot carry.
std::size_t firstSyntaxBreaker(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '"' || isControlCharacter(byte))
            return i;
    }
    return std::string_view::npos;
}

} // namespace

Message unstorableTextMessage(const UnstorableText& problem) {
    Message message;
    message.title = "保存できない文字があります";
    const char32_t c = problem.character;
    if (c == U'"') {
        message.body =
            "「" + problem.field +
            "」に半角の「\"」があります。この文字は保存できません。全角の「”」などに置き換えて下さい。";
    } else if (c == U'\n' || c == U'\r') {
        message.body =
            "「" + problem.field + "」に改行があります。改行は保存できません。一行で入力して下さい。";
    } else if (c == U'\t') {
        message.body =
            "「" + problem.field + "」にタブがあります。タブは保存できません。空白に置き換えて下さい。";
    } else if (isControlCharacter(c)) {
        message.body = "「" + problem.field + "」に制御文字（" + codePointName(c) +
                       "）があります。制御文字は保存できません。取り除いて下さい。";
    } else {
        message.body = "「" + problem.field + "」の「" + characterText(problem.character) +
                       "」は保存できない文字です。別の文字に置き換えて下さい。";
    }
    message.body += "\n（何も保存していません。）";
    return message;
}

std::string formatRecordNumber(double value) {
    if (!std::isfinite(value) || value == 0)
        return "0";
    // Round to 15 significant digits first, then lay the digits out without an exponent.
    char scientific[64];
    const auto result =
        std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific, 14);
    const std::string_view text(scientific, static_cast<std::size_t>(result.ptr - scientific));
    const auto e = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    int exponent = 0;
    const std::string_view exponentText = text.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    // digits = d1 d2 d3 …, value = 0.d1d2d3… × 10^(exponent + 1)
    const int pointAt = exponent + 1;
    std::string out = negative ? "-" : "";
    if (pointAt <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
    } else if (static_cast<std::size_t>(pointAt) >= digits.size()) {
        out += digits + std::string(static_cast<std::size_t>(pointAt) - digits.size(), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(pointAt)) + "." +
               digits.substr(static_cast<std::size_t>(pointAt));
    }
    return out;
}

std::optional<char32_t> unstorableCharacter(std::string_view utf8) {
    const Cp932Encoding encoded = encodeCp932(utf8);
    // U+0000 is itself one of the characters refused, so "none" cannot be 0 here.
    std::optional<char32_t> offending;
    if (!encoded.ok())
        offending = encoded.unstorable;
    // Both are single bytes in UTF-8; a character CP932 cannot hold is named instead only when it comes
    // first.
    if (const std::size_t at = firstSyntaxBreaker(utf8); at != std::string_view::npos)
        if (encoded.ok() || encodeCp932(utf8.substr(0, at)).ok())
            offending = static_cast<unsigned char>(utf8[at]);
    return offending;
}

} // namespace kakutei
