#include "core/this_system.h"

#include "core/windows_text.h"

#include <windows.h>

namespace kakutei {

std::string thisHostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(name, &size))
        return {};
    return utf8FromWide(std::wstring_view(name, size));
}

std::string thisUserName() {
    // The environment holds the login name without linking the security library.
    wchar_t name[256] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"USERNAME", name, 256);
    if (length == 0 || length >= 256)
        return "?";
    return utf8FromWide(std::wstring_view(name, length));
}

std::int64_t thisProcessId() {
    return ::GetCurrentProcessId();
}

bool processRuns(std::int64_t process) {
    if (process <= 0 || process > 0xFFFFFFFFll)
        return false;
    const HANDLE handle =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (!handle)
        return ::GetLastError() == ERROR_ACCESS_DENIED; // there, but another user's
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(handle, &code) && code == STILL_ACTIVE;
    ::CloseHandle(handle);
    return running;
}

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_s(&local, &time);
    return local;
}

std::optional<std::string> environmentText(const char* name) {
    const std::wstring wideName = wideFromUtf8(name);
    const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size <= 1)
        return std::nullopt;
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (length == 0 || length >= size)
        return std::nullopt;
    value.resize(length);
    return utf8FromWide(value);
}

std::optional<std::string> thisProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::nullopt;
        if (length < path.size()) {
            path.resize(length);
            return utf8FromWide(path);
        }
        path.resize(path.size() * 2);
    }
}

// The program's files have always lived on drive C ("c:\所得税"): an office's existing tree is used where it
// stands.
std::string defaultDataRoot() {
    return "C:";
}

} // namespace kakutei
