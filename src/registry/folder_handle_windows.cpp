#include "registry/folder_handle.h"

#include "core/file_io.h"
#include "core/store_error.h"
#include "core/windows_handle.h"
#include "core/windows_text.h"

#include <algorithm>
#include <atomic>
#include <windows.h>

// A folder is held by its full path. Each folder is checked for a reparse point (a symbolic link or a
// junction) as it is opened and a file as it is read, so no name below the chosen folder leads out of it;
// what another program swaps in between a check and a use is not caught here as the descriptors of POSIX
// catch it. Windows has no modes or groups: a new file or folder takes the access rules of its folder.

namespace kakutei {

struct OpenFolder::State {
    std::string path;
};

namespace {

OpenFolder::State* stateOf(std::string path) {
    auto* state = new OpenFolder::State;
    state->path = std::move(path);
    return state;
}

// One name inside a folder, never a way out of it: a separator, a drive or a stream ("7.txt:x") in a
// name would reach another file than the one named.
bool isSingleName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
    });
}

// The path of `name` in `folder`; invalid_argument when the name is not one name.
std::string pathIn(const OpenFolder::State& folder, const std::string& name, std::error_code& error) {
    if (!isSingleName(name)) {
        error = std::make_error_code(std::errc::invalid_argument);
        return {};
    }
    error.clear();
    return folder.path + "/" + name;
}

// A call on the wide path of `name` in `folder` that says whether it worked.
template <typename Call>
std::error_code callOn(const OpenFolder::State& folder, const std::string& name, Call call) {
    std::error_code error;
    const std::string path = pathIn(folder, name, error);
    if (!error && !call(wideFromUtf8(path).c_str()))
        error = lastWindowsError();
    return error;
}

HANDLE openIn(const OpenFolder::State& folder, const std::string& name, DWORD access, DWORD share,
              DWORD disposition, DWORD flags, std::error_code& error) {
    const std::string path = pathIn(folder, name, error);
    if (error)
        return INVALID_HANDLE_VALUE;
    const HANDLE file =
        ::CreateFileW(wideFromUtf8(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        error = lastWindowsError();
    return file;
}

// A junction is a folder with a reparse point: the reparse point decides.
EntryKind kindOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::link;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::folder;
    return EntryKind::regular;
}

} // namespace

void OpenFolder::Release::operator()(State* state) const {
    delete state;
}

OpenFolder OpenFolder::open(const std::string& path, std::error_code& error) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    error = attributesOf(path, data);
    if (!error && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        return {};
    return OpenFolder(stateOf(path));
}

OpenFolder OpenFolder::child(const std::string& name, std::error_code& error) const {
    const std::string path = pathIn(*state_, name, error);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!error)
        error = attributesOf(path, data);
    // A junction is a folder with a reparse point, and no folder of the tree.
    if (!error && (data.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) !=
                      FILE_ATTRIBUTE_DIRECTORY)
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        return {};
    return OpenFolder(stateOf(path));
}

OpenFolder OpenFolder::makeChild(const std::string& name, std::error_code& error, const Permissions*) const {
    error = callOn(*state_, name, [](const wchar_t* path) {
        return ::CreateDirectoryW(path, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
    });
    if (error)
        return {};
    return child(name, error);
}

OpenFolder OpenFolder::makeUniqueChild(std::string_view prefix, std::string& name,
                                       std::error_code& error) const {
    static std::atomic<unsigned> counter{0};
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Six letters like mkdtemp's, from this process, the clock and a counter: another program on a
        // shared folder picks others, and a clash only costs another try.
        std::uint64_t seed = (static_cast<std::uint64_t>(::GetCurrentProcessId()) << 32) ^
                             ::GetTickCount64() ^
                             (static_cast<std::uint64_t>(counter++) * 0x9E3779B97F4A7C15ull);
        std::string candidate(prefix);
        for (int i = 0; i < 6; ++i, seed /= kLetters.size())
            candidate += kLetters[seed % kLetters.size()];
        if (::CreateDirectoryW(wideFromUtf8(state_->path + "/" + candidate).c_str(), nullptr)) {
            name = candidate;
            return child(name, error);
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            error = lastWindowsError();
            return {};
        }
    }
    error = std::make_error_code(std::errc::file_exists);
    return {};
}

Entry OpenFolder::look(const std::string& name, std::error_code& error) const {
    Entry entry;
    const std::string path = pathIn(*state_, name, error);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!error)
        error = attributesOf(path, data);
    if (error == std::errc::no_such_file_or_directory)
        error.clear(); // missing
    else if (!error)
        entry.kind = kindOf(data);
    if (entry.kind == EntryKind::regular)
        entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return entry;
}

std::error_code OpenFolder::readFile(const std::string& name, std::size_t limit, std::string& bytes) const {
    bytes.clear();
    // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself, which the check below then refuses.
    std::error_code error;
    Handle file(openIn(*state_, name, GENERIC_READ, kShareAll, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, error));
    if (error)
        return error;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info))
        return StoreErrc::notRegularFile;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || ::GetFileType(file.get()) != FILE_TYPE_DISK)
        return StoreErrc::notRegularFile;
    char buffer[65536];
    while (bytes.size() <= limit) {
        const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, limit + 1 - bytes.size()));
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, want, &got, nullptr)) {
            bytes.clear();
            return lastWindowsError();
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    if (bytes.size() > limit) {
        bytes.clear();
        return std::make_error_code(std::errc::file_too_large);
    }
    return {};
}

// Every file reaches the disk as it is written, `durable` or not: Windows flushes a whole volume only for
// an administrator, so syncFiles has nothing left to do.
std::error_code OpenFolder::createFile(const std::string& name, std::string_view bytes, const Permissions&,
                                       bool) const {
    std::error_code error;
    const std::string path = pathIn(*state_, name, error);
    return error ? error : writeNewFile(wideFromUtf8(path), bytes, true);
}

std::error_code OpenFolder::removeFile(const std::string& name) const {
    return callOn(*state_, name, ::DeleteFileW);
}

std::error_code OpenFolder::removeFolder(const std::string& name) const {
    return callOn(*state_, name, ::RemoveDirectoryW);
}

std::vector<std::string> OpenFolder::names() const {
    std::vector<std::string> found;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW(wideFromUtf8(state_->path + "/*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..")
            found.push_back(utf8FromWide(name));
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return found;
}

// MOVEFILE_WRITE_THROUGH has the names on the disk when a move returns.
std::error_code OpenFolder::sync() const {
    return {};
}

std::error_code OpenFolder::syncFiles() const {
    return {};
}

std::optional<Permissions> OpenFolder::permissions() const {
    return std::nullopt;
}

std::optional<std::chrono::system_clock::time_point> OpenFolder::modified() const {
    const std::optional<std::int64_t> seconds = modificationTime(state_->path);
    if (!seconds)
        return std::nullopt;
    return std::chrono::system_clock::from_time_t(static_cast<std::time_t>(*seconds));
}

std::error_code moveReplacing(const OpenFolder& from, const std::string& fromName, const OpenFolder& to,
                              const std::string& toName) {
    std::error_code error;
    const std::string target = pathIn(*to.state_, toName, error);
    if (error)
        return error;
    return callOn(*from.state_, fromName, [&](const wchar_t* source) {
        return ::MoveFileExW(source, wideFromUtf8(target).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    });
}

} // namespace kakutei
