#pragma once
// A fresh data root per test, removed afterwards; tests never touch the home folder.

#include <filesystem>
#include <string>
#include <string_view>

namespace kakutei::testing {

class TempRoot {
public:
    TempRoot();
    ~TempRoot();
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::string& path() const { return path_; }
    // Writes raw bytes to a file below the root (making its folders), bypassing the program.
    void writeBytes(const std::string& relative, std::string_view bytes) const;
    std::string readBytes(const std::string& relative) const;

private:
    std::string path_;
};

// "a\r\nb\r\n" from {"a", "b"}: a record file as CP932 bytes, for fixtures.
std::string crlfLines(std::initializer_list<std::string_view> lines);
// UTF-8 to CP932, for fixtures.
std::string sjis(std::string_view utf8);

} // namespace kakutei::testing
