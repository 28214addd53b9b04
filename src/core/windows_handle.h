#pragma once
// Windows only: the few pieces every file call of the Windows build shares.

#include "core/windows_text.h"

#include <algorithm>
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

} // namespace kakutei
