#include "registry/drives.h"

#include "core/path_text.h"
#include "registry/drives_platform.h"

#include <filesystem>

namespace kakutei {
namespace {

using platform_drives::FolderIdentity;
using platform_drives::identityOf;

// Whether `folder` (a real path) is `wanted` or lies below it: each folder on the way up is compared by
// identity, which a second mount of the same folder shares.
bool reaches(const std::filesystem::path& folder, const FolderIdentity& wanted) {
    for (std::filesystem::path at = folder;; at = at.parent_path()) {
        if (identityOf(utf8Path(at)) == wanted)
            return true;
        if (at == at.root_path() || at.parent_path() == at)
            return false;
    }
}

} // namespace

Overlap overlapWithData(const std::string& dataRoot, const std::string& chosen) {
    const auto root = platform_drives::realPath(dataRoot);
    const auto folder = platform_drives::realPath(chosen);
    if (!root || !folder)
        return Overlap::unresolved;
    const auto rootIdentity = identityOf(*root);
    const auto folderIdentity = identityOf(*folder);
    if (!rootIdentity || !folderIdentity)
        return Overlap::unresolved;
    if (*rootIdentity == *folderIdentity)
        return Overlap::same;
    if (reaches(fsPath(*folder), *rootIdentity))
        return Overlap::inside;
    if (reaches(fsPath(*root), *folderIdentity))
        return Overlap::contains;
    return Overlap::none;
}

} // namespace kakutei
