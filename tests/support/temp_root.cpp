#include "temp_root.h"

#include "core/cp932.h"
#include "core/path_text.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace kakutei::testing {

// A new folder of its own (create_directory fails on a name that is taken), on Linux and Windows alike.
TempRoot::TempRoot() {
    std::random_device random;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = temporary / ("kakutei-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error) && !error) {
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
            path_ = utf8Path(folder);
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made");
}

TempRoot::~TempRoot() {
    std::error_code ignored;
    const std::filesystem::path root = fsPath(path_);
    std::filesystem::permissions(root, std::filesystem::perms::owner_all, ignored);
    for (auto it = std::filesystem::recursive_directory_iterator(root, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root, ignored);
}

void TempRoot::writeBytes(const std::string& relative, std::string_view bytes) const {
    const std::filesystem::path file = fsPath(path_) / fsPath(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

std::string TempRoot::readBytes(const std::string& relative) const {
    std::ifstream in(fsPath(path_) / fsPath(relative), std::ios::binary);
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
