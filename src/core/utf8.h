#pragma once
// UTF-8 helpers. Every text the screens hold is UTF-8; these count and cut it by characters, never bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace kakutei {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Decodes one character at `pos` and advances `pos`; a malformed sequence yields U+FFFD and skips one byte.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t c);
std::u32string toCodePoints(std::string_view text);
std::string fromCodePoints(std::u32string_view text);

std::size_t characterCount(std::string_view text);
std::string lastCharacters(std::string_view text, std::size_t count);
std::string firstCharacters(std::string_view text, std::size_t count);

// Full-width ASCII (！ to ～) becomes its ASCII form and the ideographic space an ASCII space, so that
// digits typed through an input method read like typed ones.
std::string toHalfWidthAscii(std::string_view text);
// Without the ASCII spaces and tabs at either end.
std::string_view trimSpaces(std::string_view text);

} // namespace kakutei
