#include "temp_root.h"

#include "core/cp932.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kakutei::testing {

TempRoot::TempRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kakutei-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempRoot::~TempRoot() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempRoot::writeBytes(const std::string& relative, std::string_view bytes) const {
    const std::filesystem::path file = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

std::string TempRoot::readBytes(const std::string& relative) const {
    std::ifstream in(std::filesystem::path(path_) / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string crlfLines(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string sjis(std::string_view utf8) {
    return encodeCp932(utf8).bytes;
}

} // namespace kakutei::testing
