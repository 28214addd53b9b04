#pragma once
// What a test sees of files on the disk: their permission bits and group, and a whole tree at once, to
// show that something changed nothing (POSIX).

#include "temp_root.h"

#include <map>
#include <string>
#include <sys/types.h>
#include <utility>

namespace kakutei::testing {

struct FileMode {
    unsigned bits; // with setgid and sticky
    gid_t group;
};

FileMode modeOf(const std::string& path);

// Every file and folder below `root`, named relative to it, with its bytes (none for a folder) and bits.
std::map<std::string, std::pair<std::string, unsigned>> treeOf(const TempRoot& root);

} // namespace kakutei::testing
