#include "registry/drives.h"
#include "registry/drives_platform.h"

#include "core/path_text.h"

#include <algorithm>
#include <filesystem>
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
            out.push_back(utf8Path(it->path()));
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

namespace platform_drives {

std::optional<FolderIdentity> identityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<std::string> realPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(fsPath(path), error);
    if (error)
        return std::nullopt;
    return utf8Path(real);
}

} // namespace platform_drives
} // namespace kakutei
