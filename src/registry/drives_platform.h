#pragma once
// What drives.cpp asks of each platform (drives_posix.cpp, drives_windows.cpp).

#include <cstdint>
#include <optional>
#include <string>

namespace kakutei::platform_drives {

// The same for two names of one folder, however it is reached: device and inode on POSIX, volume serial
// number and file index on Windows.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FolderIdentity&) const = default;
};

std::optional<FolderIdentity> identityOf(const std::string& path);
// The absolute path with every link, ".", ".." and doubled separator resolved; nothing when it is missing.
std::optional<std::string> realPath(const std::string& path);

} // namespace kakutei::platform_drives
