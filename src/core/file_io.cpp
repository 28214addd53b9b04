#include "core/file_io.h"

#include "core/file_io_platform.h"

#include <algorithm>

namespace kakutei {

bool isAbsence(std::error_code error) {
    return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
}

std::error_code readRecordBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    FileReader reader;
    if (auto error = reader.open(path))
        return error;
    char buffer[65536];
    std::error_code error;
    while (const std::optional<std::size_t> got = reader.read(buffer, sizeof buffer, error)) {
        if (*got == 0)
            break;
        bytes.append(buffer, *got);
        if (bytes.size() > kLargestStoredFile) {
            bytes.clear();
            return std::make_error_code(std::errc::file_too_large);
        }
    }
    return error;
}

namespace {

thread_local FolderFlushes* innermostScope = nullptr;

std::error_code replaceDurably(const std::string& path, std::string_view bytes, WriteMode mode,
                               const Permissions* permissions) {
    FolderFlushes* scope = FolderFlushes::current();
    const std::error_code error = platform_files::replaceFile(
        path, bytes, mode, scope ? platform_files::Wait::file : platform_files::Wait::fileAndFolder,
        permissions);
    if (!error && scope)
        scope->note(platform_files::folderOf(path));
    return error;
}

} // namespace

FolderFlushes::FolderFlushes() : outer_(innermostScope) {
    innermostScope = this;
}

FolderFlushes::~FolderFlushes() {
    flush();
    innermostScope = outer_;
}

FolderFlushes* FolderFlushes::current() {
    return innermostScope;
}

void FolderFlushes::note(const std::string& folder) {
    if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end())
        folders_.push_back(folder);
}

void FolderFlushes::flush() {
    for (const std::string& folder : folders_)
        platform_files::flushFolder(folder);
    folders_.clear();
}

std::error_code writeFileAtomically(const std::string& path, std::string_view bytes, WriteMode mode,
                                    Flush flush) {
    if (flush == Flush::none)
        return platform_files::replaceFile(path, bytes, mode, platform_files::Wait::nothing);
    return replaceDurably(path, bytes, mode, nullptr);
}

std::error_code writeFileAtomically(const std::string& path, std::string_view bytes, WriteMode mode,
                                    const Permissions& permissions) {
    return replaceDurably(path, bytes, mode, &permissions);
}

std::error_code copyFile(const std::string& from, const std::string& to, bool* sourceMissing) {
    std::string bytes;
    if (auto error = readRecordBytes(from, bytes)) {
        if (sourceMissing)
            *sourceMissing = error == std::errc::no_such_file_or_directory;
        return error;
    }
    if (sourceMissing)
        *sourceMissing = false;
    return platform_files::writeCopy(to, bytes);
}

} // namespace kakutei
