#include "registry/folder_handle.h"

#include "core/file_io.h"
#include "core/store_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {

namespace folder_handle_testing {
RenameFunction renameAt = ::renameat;
} // namespace folder_handle_testing

struct OpenFolder::State {
    int fd = -1;
    std::string path; // for mkdtemp, which takes no descriptor
    // What a file made here takes without asking, learnt from the first one: a tree of thousands of records
    // then needs a change of mode or group only where they differ.
    bool learntNewFiles = false;
    gid_t newFileGroup = 0;
    std::optional<mode_t> umask; // nothing when the kernel does not say
    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() {
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::error_code statusOf(int result) {
    return result == 0 ? std::error_code() : lastError();
}

OpenFolder::State* stateOf(int fd, std::string path) {
    auto* state = new OpenFolder::State;
    state->fd = fd;
    state->path = std::move(path);
    return state;
}

int openFolderAt(int parent, const std::string& name) {
    return ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Reads at most `limit` + 1 bytes, so that an endless or huge file costs no more than that.
// `size` is the file's length when it was opened: a read that comes back short once that much is in has met
// the end, and asking again only to be told so would double the calls of a tree of small records.
std::error_code readBounded(int fd, std::size_t limit, std::size_t size, std::string& bytes) {
    char buffer[65536];
    while (bytes.size() <= limit) {
        const std::size_t want = std::min(sizeof buffer, limit + 1 - bytes.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return lastError();
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (static_cast<std::size_t>(got) < want && bytes.size() >= size)
            break;
    }
    return {};
}

// Read without changing it: umask(2) can only be asked by setting it, which would race with any other
// thread making a file meanwhile. Nothing when the kernel does not say.
std::optional<mode_t> currentUmask() {
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string status;
    (void)readBounded(fd, 1 << 16, 1 << 16, status);
    ::close(fd);
    const auto at = status.find("\nUmask:");
    if (at == std::string::npos)
        return std::nullopt;
    return static_cast<mode_t>(std::strtoul(status.c_str() + at + 8, nullptr, 8) & 0777);
}

} // namespace

void OpenFolder::Release::operator()(State* state) const {
    delete state;
}

OpenFolder OpenFolder::open(const std::string& path, std::error_code& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = lastError();
        return {};
    }
    error.clear();
    return OpenFolder(stateOf(fd, path));
}

OpenFolder OpenFolder::child(const std::string& name, std::error_code& error) const {
    const int fd = openFolderAt(state_->fd, name);
    if (fd < 0) {
        error = lastError(); // O_DIRECTORY with O_NOFOLLOW: ENOTDIR for a link in the folder's place
        return {};
    }
    error.clear();
    return OpenFolder(stateOf(fd, state_->path + "/" + name));
}

// Whatever the umask, setgid included: a shared data folder stays shared below.
OpenFolder OpenFolder::makeChild(const std::string& name, std::error_code& error,
                                 const Permissions* given) const {
    struct stat info {};
    if (::fstat(state_->fd, &info) != 0) {
        error = lastError();
        return {};
    }
    const bool made = ::mkdirat(state_->fd, name.c_str(), 0700) == 0;
    if (!made && errno != EEXIST) {
        error = lastError();
        return {};
    }
    OpenFolder folder = child(name, error);
    if (!folder.isOpen() || !made)
        return folder;
    // The group first: a change of group may clear the setgid bit that the mode then sets.
    if (given && given->group >= 0)
        (void)::fchown(folder.state_->fd, static_cast<uid_t>(-1), static_cast<gid_t>(given->group));
    (void)::fchmod(folder.state_->fd, given ? given->mode & 07777 : info.st_mode & 07777);
    return folder;
}

OpenFolder OpenFolder::makeUniqueChild(std::string_view prefix, std::string& name,
                                       std::error_code& error) const {
    std::string path = state_->path + "/" + std::string(prefix) + "XXXXXX";
    if (!::mkdtemp(path.data())) {
        error = lastError();
        return {};
    }
    name = path.substr(path.find_last_of('/') + 1);
    return child(name, error);
}

Entry OpenFolder::look(const std::string& name, std::error_code& error) const {
    Entry entry;
    error.clear();
    struct stat info {};
    if (::fstatat(state_->fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            error = lastError();
        return entry;
    }
    if (S_ISLNK(info.st_mode)) {
        entry.kind = EntryKind::link;
    } else if (S_ISDIR(info.st_mode)) {
        entry.kind = EntryKind::folder;
    } else if (S_ISREG(info.st_mode)) {
        entry.kind = EntryKind::regular;
        entry.size = static_cast<std::uint64_t>(info.st_size);
        entry.permissions = {static_cast<unsigned>(info.st_mode & 07777),
                             static_cast<std::int64_t>(info.st_gid)};
    } else {
        entry.kind = EntryKind::other;
    }
    return entry;
}

std::error_code OpenFolder::readFile(const std::string& name, std::size_t limit, std::string& bytes) const {
    bytes.clear();
    // Never waits: a pipe put where a file should be would hang the read, and a device might act on open.
    const int fd = ::openat(state_->fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ELOOP ? std::make_error_code(std::errc::too_many_symbolic_link_levels) : lastError();
    // Looked at through the open file: something else may have taken the name since the caller looked.
    struct stat opened {};
    std::error_code error;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode))
        error = StoreErrc::notRegularFile;
    else
        error = readBounded(fd, limit, static_cast<std::size_t>(opened.st_size), bytes);
    ::close(fd);
    if (!error && bytes.size() > limit)
        error = std::make_error_code(std::errc::file_too_large);
    if (error)
        bytes.clear();
    return error;
}

std::error_code OpenFolder::createFile(const std::string& name, std::string_view bytes,
                                       const Permissions& permissions, bool durable) const {
    State& folder = *state_;
    const bool groupIsRight =
        permissions.group < 0 ||
        (folder.learntNewFiles && static_cast<std::int64_t>(folder.newFileGroup) == permissions.group);
    // Only the owner may read it until it is in the group it is meant for.
    const mode_t asked = groupIsRight ? permissions.mode & 0777 : 0600;
    const int fd = ::openat(state_->fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, asked);
    if (fd < 0)
        return lastError();
    std::error_code error = writeAll(fd, bytes);
    if (!folder.learntNewFiles) {
        struct stat made {};
        if (::fstat(fd, &made) == 0) {
            folder.learntNewFiles = true;
            folder.newFileGroup = made.st_gid;
            folder.umask = currentUmask();
        }
    }
    // The group first: a change of group may clear the setgid bit that the mode then sets.
    if (!groupIsRight) // a file system without groups keeps its own
        (void)::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(permissions.group));
    if (!groupIsRight || !folder.umask || (asked & *folder.umask) != 0 || asked != permissions.mode)
        (void)::fchmod(fd, permissions.mode);
    if (!error && durable && ::fsync(fd) != 0)
        error = lastError();
    if (::close(fd) != 0 && !error)
        error = lastError();
    return error;
}

std::error_code OpenFolder::removeFile(const std::string& name) const {
    return statusOf(::unlinkat(state_->fd, name.c_str(), 0));
}

std::error_code OpenFolder::removeFolder(const std::string& name) const {
    return statusOf(::unlinkat(state_->fd, name.c_str(), AT_REMOVEDIR));
}

std::vector<std::string> OpenFolder::names() const {
    std::vector<std::string> found;
    // The listing takes its own descriptor and closes it.
    if (DIR* listing = ::fdopendir(::dup(state_->fd))) {
        while (const dirent* entry = ::readdir(listing)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                found.emplace_back(name);
        }
        ::closedir(listing);
    }
    return found;
}

std::error_code OpenFolder::sync() const {
    return statusOf(::fsync(state_->fd));
}

std::error_code OpenFolder::syncFiles() const {
    return statusOf(::syncfs(state_->fd));
}

std::optional<Permissions> OpenFolder::permissions() const {
    struct stat info {};
    if (::fstat(state_->fd, &info) != 0)
        return std::nullopt;
    return Permissions{static_cast<unsigned>(info.st_mode & 07777), static_cast<std::int64_t>(info.st_gid)};
}

std::optional<std::chrono::system_clock::time_point> OpenFolder::modified() const {
    struct stat info {};
    if (::fstat(state_->fd, &info) != 0)
        return std::nullopt;
    return std::chrono::system_clock::from_time_t(info.st_mtime);
}

std::error_code moveReplacing(const OpenFolder& from, const std::string& fromName, const OpenFolder& to,
                              const std::string& toName) {
    return statusOf(
        folder_handle_testing::renameAt(from.state_->fd, fromName.c_str(), to.state_->fd, toName.c_str()));
}

} // namespace kakutei
