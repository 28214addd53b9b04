#pragma once
// The few file operations the data store needs. Writes never leave a half-written file behind: the bytes go
// to a temporary file in the same folder, reach the disk, and only then take the file's name.
// A replaced file keeps its mode and group; a new file or folder takes the permission bits of the folder it
// is made in (files without execute bits), so a private data folder stays private and a group-shared one
// stays shared. A data root made from nothing is 0700: everything here is someone's tax data.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kakutei {

enum class WriteMode {
    replace,   // create or replace the whole file
    createNew, // fail with EEXIST when the file exists (the creation "with overwriting off"); on a file
               // system without hard links the new file is written in place, and removed if that fails
};

// How long a write waits for the disk.
enum class Flush {
    none,          // not at all: files whose loss in a crash costs nothing (a lock mark is stale after one)
    fileAndFolder, // until the bytes and the folder entry that names them are on the disk
};

// A durable write reports success only once the file is on the disk. Inside a FolderFlushes scope it leaves
// the flush of its folder to the scope, which flushes each folder once.
std::error_code writeFileAtomically(const std::string& path, std::string_view bytes, WriteMode mode,
                                    Flush flush = Flush::fileAndFolder);

// The permission bits and group a file is given. Windows has neither and ignores both.
struct Permissions {
    unsigned mode = 0600;
    std::int64_t group = -1; // -1: whatever the system gives a new file
};

// Like the above, but gives the file `permissions` whatever it had before or its folder would give: for the
// files the program writes outside the data, whose privacy follows the data rather than where they land.
std::error_code writeFileAtomically(const std::string& path, std::string_view bytes, WriteMode mode,
                                    const Permissions& permissions);

// A regular file opened for reading. Opening never waits (a pipe put where a record should be fails instead
// of waiting for a writer) and anything but a regular file is refused with StoreErrc::notRegularFile.
class FileReader {
public:
    FileReader() = default;
    ~FileReader() { close(); }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    std::error_code open(const std::string& path);
    // Up to `size` bytes into `buffer`: how many, 0 at the end, or nothing with `error` set.
    std::optional<std::size_t> read(char* buffer, std::size_t size, std::error_code& error);
    void close();
    bool isOpen() const { return handle_ != kClosed; }

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed; // a descriptor or a HANDLE, by platform
};

// Far larger than any record the program writes (a few kilobytes): a larger file is no record of ours, and
// reading it whole could exhaust the memory.
inline constexpr std::size_t kLargestStoredFile = 1 << 20;

// The whole of a regular file of at most kLargestStoredFile bytes, read without waiting (std::errc::
// file_too_large beyond it).
std::error_code readRecordBytes(const std::string& path, std::string& bytes);

// Whether an error opening a file says only that it is not there: no such file, or a file where one of its
// folders should be.
bool isAbsence(std::error_code error);

// Writes all of `bytes` to an open file descriptor, going on after interruptions (POSIX only).
std::error_code writeAll(int fd, std::string_view bytes);

// Several records saved into one folder in a row (one client's screens by a batch) wait for that folder
// once instead of once each. While a scope lives on this thread, durable writes flush their files and note
// their folders; `flush` (or the end of the scope) flushes each noted folder once. A record is whole,
// old or new, after a crash either way; what waits for `flush` is only the promise that the new one stays.
class FolderFlushes {
public:
    FolderFlushes();
    ~FolderFlushes();
    FolderFlushes(const FolderFlushes&) = delete;
    FolderFlushes& operator=(const FolderFlushes&) = delete;

    void flush();
    // The innermost scope on this thread, or nullptr.
    static FolderFlushes* current();
    void note(const std::string& folder);

private:
    std::vector<std::string> folders_;
    FolderFlushes* outer_;
};

namespace file_io_testing {
// link(2) as writeFileAtomically calls it on POSIX; tests put a failing one here to play a file system
// without hard links.
using LinkFunction = int (*)(const char* existing, const char* newName);
extern LinkFunction linkFile;
// fsync(2) as every write and folder flush calls it on POSIX; tests count the calls through it.
using FlushFunction = int (*)(int descriptor);
extern FlushFunction flushDescriptor;
} // namespace file_io_testing

// Copies a file whole without waiting for the disk: bulk copies (backup, restore) call syncFileSystem once
// at the end instead of paying one disk flush per file. A new target is written in place (and removed again
// if the write fails); an existing one is replaced atomically. A missing source sets `sourceMissing` and
// copies nothing.
std::error_code copyFile(const std::string& from, const std::string& to, bool* sourceMissing = nullptr);
// Removes a file; a file that is not there is no error.
std::error_code removeFile(const std::string& path);
// Flushes everything written to the file system that holds `path`.
void syncFileSystem(const std::string& path);

bool folderExists(const std::string& path);
bool fileExists(const std::string& path);
// Seconds since 1970 of the file's last change; nothing when it is not there.
std::optional<std::int64_t> modificationTime(const std::string& path);
// Creates one folder with its parent's permission bits; fails when it exists or its parent does not.
std::error_code createFolder(const std::string& path);
// Creates a folder and any missing parents, each 0700.
std::error_code createFolders(const std::string& path);

} // namespace kakutei
