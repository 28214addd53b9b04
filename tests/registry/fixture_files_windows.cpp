#include "fixture_files.h"

#include "core/windows_handle.h"
#include "core/windows_text.h"

#include <windows.h>

namespace kakutei::testing {

std::error_code makeLink(const std::string& target, const std::string& link, bool folder) {
    // Without developer mode only an administrator may make links; the flag asks for the developer's right.
    const DWORD flags =
        (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    if (!::CreateSymbolicLinkW(wideFromUtf8(link).c_str(), wideFromUtf8(target).c_str(), flags))
        return lastWindowsError();
    // Wine says yes and makes nothing.
    const DWORD made = ::GetFileAttributesW(wideFromUtf8(link).c_str());
    if (made == INVALID_FILE_ATTRIBUTES || !(made & FILE_ATTRIBUTE_REPARSE_POINT))
        return std::make_error_code(std::errc::not_supported);
    return {};
}

std::error_code setModified(const std::string& path, std::chrono::system_clock::time_point time) {
    // FILE_FLAG_BACKUP_SEMANTICS opens a folder too.
    Handle file(::CreateFileW(wideFromUtf8(path).c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return lastWindowsError();
    // 100-nanosecond steps since 1601.
    constexpr std::uint64_t kSeconds1601To1970 = 11644473600;
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(std::chrono::system_clock::to_time_t(time)) + kSeconds1601To1970) *
        10000000;
    const FILETIME written{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    if (!::SetFileTime(file.get(), nullptr, nullptr, &written))
        return lastWindowsError();
    return {};
}

} // namespace kakutei::testing
