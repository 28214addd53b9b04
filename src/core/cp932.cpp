#include "core/cp932.h"

#include "core/utf8.h"

#include "core/cp932_codec.h"

namespace kakutei {
namespace {

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char32_t cp932Sibling(char32_t c) {
    switch (c) {
    case 0x301C:
        return 0xFF5E; // WAVE DASH → FULLWIDTH TILDE
    case 0x2212:
        return 0xFF0D; // MINUS SIGN → FULLWIDTH HYPHEN-MINUS
    case 0x2016:
        return 0x2225; // DOUBLE VERTICAL LINE → PARALLEL TO
    case 0x2014:
        return 0x2015; // EM DASH → HORIZONTAL BAR
    case 0x00A2:
        return 0xFFE0; // ¢
    case 0x00A3:
        return 0xFFE1; // £
    case 0x00AC:
        return 0xFFE2; // ¬
    default:
        return c;
    }
}

std::string withCp932Siblings(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();)
        appendUtf8(out, cp932Sibling(nextCodePoint(utf8, pos)));
    return out;
}

} // namespace

Cp932Encoding encodeCp932(std::string_view utf8) {
    Cp932Encoding result;
    if (isAscii(utf8)) {
        result.bytes.assign(utf8);
        return result;
    }
    const std::string canonical = withCp932Siblings(utf8);
    // Encode character by character: a character is storable only when it converts and reads back as itself.
    for (std::size_t pos = 0; pos < canonical.size();) {
        const std::size_t start = pos;
        const char32_t c = nextCodePoint(canonical, pos);
        std::string_view one = std::string_view(canonical).substr(start, pos - start);
        if (c < 0x80) {
            result.bytes += static_cast<char>(c);
            continue;
        }
        std::string encoded;
        std::string decoded;
        std::string_view encodedView;
        bool ok = c != kReplacementCharacter && cp932_codec::encode(one, encoded);
        if (ok) {
            encodedView = encoded;
            ok = cp932_codec::decode(encodedView, decoded) &&
                 decoded == std::string_view(canonical).substr(start, pos - start);
        }
        if (!ok) {
            result.unstorable = c;
            result.bytes.clear();
            return result;
        }
        result.bytes += encoded;
    }
    return result;
}

std::string decodeCp932(std::string_view bytes) {
    if (isAscii(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    while (!cp932_codec::decode(bytes, out)) {
        appendUtf8(out, kReplacementCharacter);
        bytes.remove_prefix(1);
    }
    return out;
}

} // namespace kakutei
