#include "core/file_io.h"

#include "core/file_io_platform.h"

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

std::error_code writeFileAtomically(const std::string& path, std::string_view bytes, WriteMode mode) {
    return platform_files::replaceFile(path, bytes, mode, true);
}

std::error_code writeFileAtomically(const std::string& path, std::string_view bytes, WriteMode mode,
                                    const Permissions& permissions) {
    return platform_files::replaceFile(path, bytes, mode, true, &permissions);
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
