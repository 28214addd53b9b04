#include "office/roster_search.h"

#include "core/utf8.h"

#include <algorithm>

namespace kakutei {
namespace {

// Half-width katakana U+FF66 (ｦ) to U+FF9D (ﾝ), in full width.
constexpr std::u32string_view kFullWidthKatakana =
    U"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリ"
    U"ルレロワン";
constexpr char32_t kHalfWidthVoicedMark = U'\uFF9E';
constexpr char32_t kHalfWidthSemiVoicedMark = U'\uFF9F';

bool takesVoicedMark(char32_t c) {
    return (c >= U'カ' && c <= U'ト' && c != U'ッ') || (c >= U'ハ' && c <= U'ホ') || c == U'ウ';
}

bool takesSemiVoicedMark(char32_t c) {
    return c >= U'ハ' && c <= U'ホ' && (c - U'ハ') % 3 == 0;
}

// Marks the voiced pair of a kana: カ→ガ, ハ→バ, ウ→ヴ. The unvoiced kana of カ to ト and ハ to ホ sit just
// below their voiced forms.
char32_t voiced(char32_t c) {
    return c == U'ウ' ? U'ヴ' : c + 1;
}

} // namespace

std::string searchForm(std::string_view text) {
    const std::u32string in = toCodePoints(toHalfWidthAscii(text));
    std::u32string out;
    out.reserve(in.size());
    for (char32_t c : in) {
        if (c == U' ' || c == U'\u3000')
            continue;
        if (c >= U'A' && c <= U'Z')
            c = c - U'A' + U'a';
        else if (c >= U'\u3041' && c <= U'\u3096') // hiragana
            c += 0x60;
        else if (c >= U'\uFF66' && c <= U'\uFF9D')
            c = kFullWidthKatakana[c - U'\uFF66'];
        else if (c == kHalfWidthVoicedMark && !out.empty() && takesVoicedMark(out.back())) {
            out.back() = voiced(out.back());
            continue;
        } else if (c == kHalfWidthSemiVoicedMark && !out.empty() && takesSemiVoicedMark(out.back())) {
            out.back() += 2;
            continue;
        }
        out.push_back(c);
    }
    return fromCodePoints(out);
}

bool rosterRowMatches(const RosterRow& row, std::string_view search) {
    const std::string wanted = searchForm(search);
    if (wanted.empty())
        return true;
    if (std::all_of(wanted.begin(), wanted.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const std::string code = std::to_string(row.code);
        const std::string digits = wanted.find_first_not_of('0') == std::string::npos
                                       ? wanted
                                       : wanted.substr(wanted.find_first_not_of('0'));
        return !digits.empty() && code.starts_with(digits);
    }
    return searchForm(row.name).find(wanted) != std::string::npos ||
           searchForm(row.reading).find(wanted) != std::string::npos;
}

} // namespace kakutei
