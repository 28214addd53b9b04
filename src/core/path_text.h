#pragma once
// std::filesystem reads a std::string path in the system's code page on Windows, which mangles 所得税 unless
// that page happens to be Japanese. The program's paths are UTF-8 strings; these two carry them across.

#include <filesystem>
#include <string>
#include <string_view>

namespace kakutei {

inline std::filesystem::path fsPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace kakutei
