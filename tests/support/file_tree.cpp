#include "file_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace kakutei::testing {

FileMode modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return {static_cast<unsigned>(info.st_mode & 07777), info.st_gid};
}

std::map<std::string, std::pair<std::string, unsigned>> treeOf(const TempRoot& root) {
    std::map<std::string, std::pair<std::string, unsigned>> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root.path())) {
        const std::string name = std::filesystem::relative(entry.path(), root.path()).string();
        found[name] = {entry.is_regular_file() ? root.readBytes(name) : "", modeOf(entry.path()).bits};
    }
    return found;
}

} // namespace kakutei::testing
