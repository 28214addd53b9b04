#include "core/cp932_codec.h"

#include "core/utf8.h"
#include "core/windows_text.h"

#include <windows.h>

namespace kakutei::cp932_codec {
namespace {

constexpr UINT kCodePage = 932;

// Code page 932 gives 0x80, 0xA0 and 0xFD–0xFF characters of their own (U+0080 and private-use ones) that
// the POSIX conversion refuses; they are refused here too, so both platforms store and read the same bytes.
bool isOwnSingleByte(unsigned char byte) {
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
}

bool isOwnCharacter(char32_t c) {
    return c == 0x80 || c == 0xA0 || (c >= 0xF8F0 && c <= 0xF8F3);
}

} // namespace

bool encode(std::string_view& utf8, std::string& out) {
    while (!utf8.empty()) {
        std::size_t next = 0;
        const char32_t c = nextCodePoint(utf8, next);
        if (c == kReplacementCharacter || isOwnCharacter(c))
            return false;
        const std::wstring wide = wideFromUtf8(utf8.substr(0, next));
        char bytes[8];
        BOOL defaulted = FALSE;
        const int length =
            ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                  bytes, sizeof bytes, nullptr, &defaulted);
        if (length <= 0 || defaulted)
            return false;
        out.append(bytes, static_cast<std::size_t>(length));
        utf8.remove_prefix(next);
    }
    return true;
}

bool decode(std::string_view& cp932, std::string& out) {
    while (!cp932.empty()) {
        const auto lead = static_cast<unsigned char>(cp932.front());
        if (isOwnSingleByte(lead))
            return false;
        const std::size_t length = ::IsDBCSLeadByteEx(kCodePage, lead) ? 2 : 1;
        if (cp932.size() < length)
            return false;
        wchar_t wide[2];
        const int got = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, cp932.data(),
                                              static_cast<int>(length), wide, 2);
        if (got <= 0)
            return false;
        out += utf8FromWide(std::wstring_view(wide, static_cast<std::size_t>(got)));
        cp932.remove_prefix(length);
    }
    return true;
}

} // namespace kakutei::cp932_codec
