#pragma once
// What file_io.cpp asks of each platform's file calls (file_io_posix.cpp, file_io_windows.cpp).

#include "core/file_io.h"

namespace kakutei::platform_files {

// Writes `bytes` to a new file beside `path` and gives it the name in one step; `durable` waits for the disk.
// Without `permissions`, a replaced file keeps its own and a new one takes its folder's.
std::error_code replaceFile(const std::string& path, std::string_view bytes, WriteMode mode, bool durable,
                            const Permissions* permissions = nullptr);
// A copy's bytes to `to`, made new or replacing what is there; a failure leaves no piece of a file.
std::error_code writeCopy(const std::string& to, std::string_view bytes);

} // namespace kakutei::platform_files
