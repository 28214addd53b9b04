#include "core/file_io.h"
#include "core/file_io_platform.h"

#include "core/store_error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {

namespace file_io_testing {
LinkFunction linkFile = ::link;
FlushFunction flushDescriptor = ::fsync;
} // namespace file_io_testing

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::string parentOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Offices share a data folder through its group: a replaced file keeps its own mode and group, a new one
// takes the permission bits of the folder it is made in (without execute bits; its group comes with the
// folder's setgid bit). A private folder (0700) therefore holds 0600 files and a shared one (2770) 0660 files
// of its group, whatever the umask. Permissions given by the caller override both.
struct FileMode {
    mode_t mode = 0600;
    gid_t group = static_cast<gid_t>(-1); // unchanged
};

FileMode modeFor(const std::string& path, const Permissions* given) {
    if (given)
        return {static_cast<mode_t>(given->mode & 0777), static_cast<gid_t>(given->group)};
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return {static_cast<mode_t>(info.st_mode & 0777), info.st_gid};
    if (::stat(parentOf(path).c_str(), &info) == 0)
        return {static_cast<mode_t>(info.st_mode & 0666), static_cast<gid_t>(-1)};
    return {};
}

void applyMode(int fd, FileMode mode) {
    // A file system without groups or modes (FAT on a stick) keeps its own: nothing to report.
    if (mode.group != static_cast<gid_t>(-1))
        (void)::fchown(fd, static_cast<uid_t>(-1), mode.group);
    (void)::fchmod(fd, mode.mode);
}

// Writes, reaches the disk when `durable`, and closes: the first failure is the one reported.
std::error_code writeAndClose(int fd, std::string_view bytes, bool durable) {
    std::error_code error = writeAll(fd, bytes);
    if (!error && durable && file_io_testing::flushDescriptor(fd) != 0)
        error = lastError();
    if (::close(fd) != 0 && !error)
        error = lastError();
    return error;
}

// FAT and exFAT (USB sticks) and some network shares have no hard links.
bool linksUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EXDEV;
}

// "Create, never overwrite" where link() cannot do it: O_EXCL still refuses a name that another program
// took in the meantime. Without the rename there is a moment when the file is incomplete, so a failed
// write removes it again rather than leave half a record under the name.
std::error_code createExclusively(const std::string& path, std::string_view bytes, bool durable,
                                  FileMode mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return lastError();
    applyMode(fd, mode);
    const std::error_code error = writeAndClose(fd, bytes, durable);
    if (error)
        ::unlink(path.c_str());
    return error;
}

} // namespace

namespace platform_files {

// The rename is only durable once the folder itself is on disk.
void flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        file_io_testing::flushDescriptor(fd);
        ::close(fd);
    }
}

std::string folderOf(const std::string& path) {
    return parentOf(path);
}

std::error_code replaceFile(const std::string& path, std::string_view bytes, WriteMode mode, Wait wait,
                            const Permissions* permissions) {
    const bool durable = wait != Wait::nothing;
    const std::string folder = parentOf(path);
    if (folderExists(path))
        return {EISDIR, std::generic_category()};
    if (mode == WriteMode::createNew && fileExists(path))
        return {EEXIST, std::generic_category()};
    std::string temporary = folder + "/.kakutei-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC); // mkostemp creates 0600
    if (fd < 0)
        return lastError();
    const FileMode fileMode = modeFor(path, permissions);
    applyMode(fd, fileMode);
    std::error_code error = writeAndClose(fd, bytes, durable);
    if (!error && mode == WriteMode::replace && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = lastError();
    // link() refuses an existing name, which makes "create, never overwrite" atomic too.
    if (!error && mode == WriteMode::createNew &&
        file_io_testing::linkFile(temporary.c_str(), path.c_str()) != 0) {
        const int linkError = errno;
        error = linksUnsupported(linkError) ? createExclusively(path, bytes, durable, fileMode)
                                            : std::error_code(linkError, std::generic_category());
    }
    if (error || mode == WriteMode::createNew)
        ::unlink(temporary.c_str());
    if (!error && wait == Wait::fileAndFolder)
        flushFolder(folder);
    return error;
}

// Without waiting for the disk: bulk copies call syncFileSystem once at the end instead.
std::error_code writeCopy(const std::string& to, std::string_view bytes) {
    const FileMode mode = modeFor(to, nullptr);
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return replaceFile(to, bytes, WriteMode::replace, Wait::nothing);
        return lastError();
    }
    applyMode(fd, mode);
    std::error_code error = writeAll(fd, bytes);
    if (::close(fd) != 0 && !error)
        error = lastError();
    if (error) // never leave a piece of a file behind
        ::unlink(to.c_str());
    return error;
}

} // namespace platform_files

std::error_code writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code FileReader::open(const std::string& path) {
    close();
    // Not blocking: a pipe put where a record should be must fail the read, not wait for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return lastError();
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return StoreErrc::notRegularFile;
    }
    handle_ = fd;
    return {};
}

std::optional<std::size_t> FileReader::read(char* buffer, std::size_t size, std::error_code& error) {
    ssize_t got;
    do {
        got = ::read(static_cast<int>(handle_), buffer, size);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        error = lastError();
        return std::nullopt;
    }
    return static_cast<std::size_t>(got);
}

void FileReader::close() {
    if (handle_ != kClosed)
        ::close(static_cast<int>(handle_));
    handle_ = kClosed;
}

std::error_code removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return lastError();
    return {};
}

void syncFileSystem(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

bool folderExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::int64_t> modificationTime(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_mtime);
}

std::error_code createFolder(const std::string& path) {
    struct stat parent {};
    const bool inherit = ::stat(parentOf(path).c_str(), &parent) == 0;
    if (::mkdir(path.c_str(), 0700) != 0)
        return lastError();
    // The folder it is made in decides, setgid included, whatever the umask.
    if (inherit)
        (void)::chmod(path.c_str(), parent.st_mode & 07777);
    return {};
}

std::error_code createFolders(const std::string& path) {
    if (folderExists(path))
        return {};
    const std::string parent = parentOf(path);
    if (parent != path && parent != "/" && parent != ".") {
        if (auto error = createFolders(parent))
            return error;
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return lastError();
    return {};
}

} // namespace kakutei
