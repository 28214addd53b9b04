#include "core/utf8.h"

namespace kakutei {

char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kReplacementCharacter;
    }
    if (pos + length > text.size()) {
        ++pos;
        return kReplacementCharacter;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacementCharacter;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kReplacementCharacter;
    }
    pos += length;
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u32string toCodePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();)
        out += nextCodePoint(text, pos);
    return out;
}

std::string fromCodePoints(std::u32string_view text) {
    std::string out;
    for (char32_t c : text)
        appendUtf8(out, c);
    return out;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count)
        nextCodePoint(text, pos);
    return count;
}

std::string firstCharacters(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count && pos < text.size(); ++i)
        nextCodePoint(text, pos);
    return std::string(text.substr(0, pos));
}

std::string lastCharacters(std::string_view text, std::size_t count) {
    const std::size_t total = characterCount(text);
    if (total <= count)
        return std::string(text);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < total - count; ++i)
        nextCodePoint(text, pos);
    return std::string(text.substr(pos));
}

std::string toHalfWidthAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = nextCodePoint(text, pos);
        if (c >= 0xFF01 && c <= 0xFF5E)
            out += static_cast<char>(c - 0xFF01 + 0x21);
        else if (c == 0x3000)
            out += ' ';
        else
            out.append(text.substr(start, pos - start));
    }
    return out;
}

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace kakutei
