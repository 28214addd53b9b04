#pragma once
// What file_io.cpp asks of each platform's file calls (file_io_posix.cpp, file_io_windows.cpp).

#include "core/file_io.h"

namespace kakutei::platform_files {

// How much of a replacement waits for the disk.
enum class Wait {
    nothing,
    file,          // the file's bytes; the folder entry is flushed later by flushFolder
    fileAndFolder, // the bytes and the folder entry that names them
};

// Writes `bytes` to a new file beside `path` and gives it the name in one step.
// Without `permissions`, a replaced file keeps its own and a new one takes its folder's.
std::error_code replaceFile(const std::string& path, std::string_view bytes, WriteMode mode, Wait wait,
                            const Permissions* permissions = nullptr);
// Makes the names given in a folder (renames, new files) durable; nothing to do where the moves themselves
// wait for the disk.
void flushFolder(const std::string& folder);
// The folder a path names a file in.
std::string folderOf(const std::string& path);
// A copy's bytes to `to`, made new or replacing what is there; a failure leaves no piece of a file.
std::error_code writeCopy(const std::string& to, std::string_view bytes);

} // namespace kakutei::platform_files
