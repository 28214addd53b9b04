#include "core/file_io.h"
#include "core/file_io_platform.h"

#include "core/store_error.h"
#include "core/windows_handle.h"
#include "core/windows_text.h"

#include <atomic>
#include <windows.h>

// Windows has no modes or groups: a file takes the access rules of the folder it is made in, which is what
// the POSIX side does by hand. Paths are UTF-8 inside the program and go to the wide calls.

namespace kakutei {
namespace {

std::string parentOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash);
}

// ".kakutei-" and a name no other write in this or another program is using: removeInterruptedWrites
// finds what a crash leaves behind by that prefix.
std::wstring temporaryName(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    const unsigned long long stamp = ::GetTickCount64();
    const std::string name = folder + "/.kakutei-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(stamp) + "-" + std::to_string(counter++);
    return wideFromUtf8(name);
}

} // namespace

std::error_code FileReader::open(const std::string& path) {
    close();
    const HANDLE file =
        ::CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastWindowsError();
    // A folder (opened through FILE_FLAG_BACKUP_SEMANTICS), a pipe or a device is no record.
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(file);
        return StoreErrc::notRegularFile;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return {};
}

std::optional<std::size_t> FileReader::read(char* buffer, std::size_t size, std::error_code& error) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), buffer, want, &got, nullptr)) {
        error = lastWindowsError();
        return std::nullopt;
    }
    return got;
}

void FileReader::close() {
    if (handle_ != kClosed)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = kClosed;
}

namespace platform_files {

// MOVEFILE_WRITE_THROUGH returns once the move is on the disk: the folder needs no flush of its own.
void flushFolder(const std::string&) {}

std::string folderOf(const std::string& path) {
    return parentOf(path);
}

// The bytes go to a new file beside the target and take its name by one move, which with
// MOVEFILE_REPLACE_EXISTING replaces the old file whole and without it refuses a name that exists.
std::error_code replaceFile(const std::string& path, std::string_view bytes, WriteMode mode, Wait wait,
                            const Permissions*) {
    const bool durable = wait != Wait::nothing;
    if (folderExists(path))
        return std::make_error_code(std::errc::is_a_directory);
    if (mode == WriteMode::createNew && fileExists(path))
        return std::make_error_code(std::errc::file_exists);
    const std::string folder = parentOf(path);
    std::wstring temporary;
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryName(folder);
        error = writeNewFile(temporary, bytes, durable);
        if (error != std::errc::file_exists)
            break;
    }
    if (error)
        return error;
    DWORD flags = durable ? MOVEFILE_WRITE_THROUGH : 0;
    if (mode == WriteMode::replace)
        flags |= MOVEFILE_REPLACE_EXISTING;
    if (!::MoveFileExW(temporary.c_str(), wideFromUtf8(path).c_str(), flags)) {
        error = lastWindowsError();
        ::DeleteFileW(temporary.c_str());
    }
    return error;
}

// Unlike the POSIX side, each copy reaches the disk by itself: Windows offers no flush of a whole volume to
// a user without administrator rights, so syncFileSystem has nothing left to do.
std::error_code writeCopy(const std::string& to, std::string_view bytes) {
    const std::error_code error = writeNewFile(wideFromUtf8(to), bytes, true);
    if (error == std::errc::file_exists)
        return replaceFile(to, bytes, WriteMode::replace, Wait::fileAndFolder);
    return error;
}

} // namespace platform_files

std::error_code removeFile(const std::string& path) {
    if (!::DeleteFileW(wideFromUtf8(path).c_str())) {
        const std::error_code error = lastWindowsError();
        if (error != std::errc::no_such_file_or_directory)
            return error;
    }
    return {};
}

void syncFileSystem(const std::string&) {}

bool folderExists(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return !attributesOf(path, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool fileExists(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return !attributesOf(path, data);
}

std::optional<std::int64_t> modificationTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (attributesOf(path, data))
        return std::nullopt;
    // 100-nanosecond steps since 1601.
    const std::uint64_t ticks = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                data.ftLastWriteTime.dwLowDateTime;
    constexpr std::int64_t kSeconds1601To1970 = 11644473600;
    return static_cast<std::int64_t>(ticks / 10000000) - kSeconds1601To1970;
}

std::error_code createFolder(const std::string& path) {
    if (!::CreateDirectoryW(wideFromUtf8(path).c_str(), nullptr))
        return lastWindowsError();
    return {};
}

std::error_code createFolders(const std::string& path) {
    if (folderExists(path))
        return {};
    const std::string parent = parentOf(path);
    // Stops at a drive ("C:") or the top of a path, which cannot be made; a missing share fails below.
    const bool top = parent.empty() || parent == "." || parent == path || parent.back() == ':';
    if (!top) {
        if (auto error = createFolders(parent))
            return error;
    }
    if (!::CreateDirectoryW(wideFromUtf8(path).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return lastWindowsError();
    return {};
}

} // namespace kakutei
