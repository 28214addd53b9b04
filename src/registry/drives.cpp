#include "registry/drives.h"

#include <algorithm>
#include <filesystem>

namespace kakutei {
namespace {

void addFoldersBelow(const std::filesystem::path& parent, int depth, std::vector<std::string>& out) {
    std::error_code ignored;
    for (std::filesystem::directory_iterator it(parent, ignored), end; !ignored && it != end;
         it.increment(ignored)) {
        if (!it->is_directory(ignored))
            continue;
        if (depth > 1)
            addFoldersBelow(it->path(), depth - 1, out);
        else
            out.push_back(it->path().string());
    }
}

} // namespace

std::vector<std::string> mountedVolumes() {
    std::vector<std::string> volumes;
    addFoldersBelow("/media", 1, volumes); // /media/cdrom, and /media/<user> on desktops …
    addFoldersBelow("/media", 2, volumes); // … where the volumes themselves are one level lower
    addFoldersBelow("/run/media", 2, volumes);
    addFoldersBelow("/mnt", 1, volumes);
    std::sort(volumes.begin(), volumes.end());
    return volumes;
}

} // namespace kakutei
