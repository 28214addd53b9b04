#include "core/windows_text.h"

#include <cerrno>
#include <windows.h>

namespace kakutei {

std::wstring wideFromUtf8(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string utf8FromWide(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::error_code windowsError(unsigned long code) {
    switch (code) {
    case ERROR_SUCCESS:
        return {};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::make_error_code(std::errc::file_exists);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::make_error_code(std::errc::device_or_resource_busy);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_DIRECTORY:
        return std::make_error_code(std::errc::not_a_directory);
    case ERROR_DIR_NOT_EMPTY:
        return std::make_error_code(std::errc::directory_not_empty);
    case ERROR_NOT_SAME_DEVICE:
        return std::make_error_code(std::errc::cross_device_link);
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
        return std::make_error_code(std::errc::invalid_argument);
    case ERROR_NOT_SUPPORTED:
        return std::make_error_code(std::errc::not_supported);
    case ERROR_CANT_RESOLVE_FILENAME:
        return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    default:
        return {static_cast<int>(code), std::system_category()};
    }
}

std::error_code lastWindowsError() {
    return windowsError(::GetLastError());
}

} // namespace kakutei
