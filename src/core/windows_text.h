#pragma once
// Windows only. The program keeps paths and texts in UTF-8 everywhere; the wide (UTF-16) calls of Windows
// get them converted here, so a name like 所得税 reaches the disk as itself whatever the system's code page.

#include <string>
#include <string_view>
#include <system_error>

namespace kakutei {

std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

// A Windows error number as the error the rest of the program compares with (std::errc): a missing file is
// no_such_file_or_directory on both platforms. Numbers without a portable meaning keep their own.
std::error_code windowsError(unsigned long code);
// windowsError(GetLastError())
std::error_code lastWindowsError();

} // namespace kakutei
