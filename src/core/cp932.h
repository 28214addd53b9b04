#pragma once
// Conversion between the screens' UTF-8 and the CP932 bytes of every data file, so that files moved
// between Windows and Linux machines read back exactly.

#include <string>
#include <string_view>

namespace kakutei {

struct Cp932Encoding {
    std::string bytes;
    // The first character that CP932 cannot hold, or that would not read back as itself; 0 when none.
    char32_t unstorable = 0;
    bool ok() const { return unstorable == 0; }
};

// Characters that input methods produce in their Unicode form but that CP932 holds under a sibling code
// point (〜 as ～, − as －, …) are stored as that sibling: the glyph is the same and it reads back.
Cp932Encoding encodeCp932(std::string_view utf8);

// Bytes that are not CP932 become U+FFFD; decoding never fails.
std::string decodeCp932(std::string_view bytes);

} // namespace kakutei
