#pragma once
// The system's own CP932 conversion (iconv on POSIX, code page 932 on Windows), without any "best fit": a
// character the code page does not hold stops the conversion instead of becoming a look-alike or a "?".

#include <string>
#include <string_view>

namespace kakutei::cp932_codec {

// Each converts as much of `in` as it can and appends it to `out`; false at the first input it cannot
// convert, with `in` left there.
bool encode(std::string_view& utf8, std::string& out);
bool decode(std::string_view& cp932, std::string& out);

} // namespace kakutei::cp932_codec
