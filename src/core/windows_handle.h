#pragma once
// Windows only: the few pieces every file call of the Windows build shares.

#include "core/windows_text.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <system_error>
#include <windows.h>

namespace kakutei {

// Closes a handle on every way out.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        const bool ok = !valid() || ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

// Readers and writers let others rename and remove the file meanwhile, as POSIX does: a save must never
// fail because another window is reading the record it replaces.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

inline std::error_code writeWhole(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return lastWindowsError();
        bytes.remove_prefix(written);
    }
    return {};
}

// Writes a file that must not exist yet (CREATE_NEW never opens another's file), reaching the disk when
// `durable`; a failed write takes the piece away again.
inline std::error_code writeNewFile(const std::wstring& path, std::string_view bytes, bool durable) {
    Handle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return lastWindowsError();
    std::error_code error = writeWhole(file.get(), bytes);
    if (!error && durable && !::FlushFileBuffers(file.get()))
        error = lastWindowsError();
    if (!file.close() && !error)
        error = lastWindowsError();
    if (error)
        ::DeleteFileW(path.c_str());
    return error;
}

// What is there under `path`, without opening it; a missing name is no_such_file_or_directory.
inline std::error_code attributesOf(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (!::GetFileAttributesExW(wideFromUtf8(path).c_str(), GetFileExInfoStandard, &data))
        return lastWindowsError();
    return {};
}

} // namespace kakutei
