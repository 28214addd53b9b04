#include "registry/drives.h"
#include "registry/drives_platform.h"

#include "core/windows_handle.h"
#include "core/windows_text.h"

#include <windows.h>

namespace kakutei {

// Drive C holds the data; every other letter may be a stick, a second disk or a network drive.
std::vector<std::string> mountedVolumes() {
    std::vector<std::string> volumes;
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter)
        if ((drives & (1u << letter)) && letter != 'C' - 'A')
            volumes.push_back(std::string(1, static_cast<char>('A' + letter)) + ":");
    return volumes;
}

namespace platform_drives {
namespace {

// A folder opened for looking only (FILE_FLAG_BACKUP_SEMANTICS opens folders), links followed.
HANDLE openForLooking(const std::string& path) {
    return ::CreateFileW(wideFromUtf8(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

std::optional<FolderIdentity> identityOf(const std::string& path) {
    const Handle folder(openForLooking(path));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!folder.valid() || !::GetFileInformationByHandle(folder.get(), &info))
        return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::optional<std::string> realPath(const std::string& path) {
    const Handle folder(openForLooking(path));
    if (!folder.valid())
        return std::nullopt;
    std::wstring real(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(folder.get(), real.data(), static_cast<DWORD>(real.size()), 0);
    if (length >= real.size()) {
        real.resize(length);
        length = ::GetFinalPathNameByHandleW(folder.get(), real.data(), static_cast<DWORD>(real.size()), 0);
    }
    if (length == 0 || length >= real.size())
        return std::nullopt;
    real.resize(length);
    // "\\?\C:\…" and "\\?\UNC\server\share\…" as the rest of the program writes them.
    if (real.starts_with(L"\\\\?\\UNC\\"))
        real = L"\\\\" + real.substr(8);
    else if (real.starts_with(L"\\\\?\\"))
        real = real.substr(4);
    return utf8FromWide(real);
}

} // namespace platform_drives
} // namespace kakutei
