#include "registry/drives.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

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

namespace {

struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

// Whether `folder` (a real path) is `wanted` or lies below it: each folder on the way up is compared by
// device and inode, which a second mount of the same folder shares.
bool reaches(const std::filesystem::path& folder, const Identity& wanted) {
    for (std::filesystem::path at = folder;; at = at.parent_path()) {
        if (identityOf(at.string()) == wanted)
            return true;
        if (at == at.root_path() || at.parent_path() == at)
            return false;
    }
}

} // namespace

Overlap overlapWithData(const std::string& dataRoot, const std::string& chosen) {
    std::error_code error;
    const std::filesystem::path root = std::filesystem::canonical(dataRoot, error);
    if (error)
        return Overlap::unresolved;
    const std::filesystem::path folder = std::filesystem::canonical(chosen, error);
    if (error)
        return Overlap::unresolved;
    const auto rootIdentity = identityOf(root.string());
    const auto folderIdentity = identityOf(folder.string());
    if (!rootIdentity || !folderIdentity)
        return Overlap::unresolved;
    if (*rootIdentity == *folderIdentity)
        return Overlap::same;
    if (reaches(folder, *rootIdentity))
        return Overlap::inside;
    if (reaches(root, *folderIdentity))
        return Overlap::contains;
    return Overlap::none;
}

} // namespace kakutei
