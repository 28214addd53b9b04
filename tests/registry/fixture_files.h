#pragma once
// What the tests of the registry make on the disk that std::filesystem cannot make on every platform.

#include <chrono>
#include <string>
#include <system_error>

namespace kakutei::testing {

// A symbolic link at `link` to `target` (UTF-8 paths); an error where the system lets no link be made.
std::error_code makeLink(const std::string& target, const std::string& link, bool folder);
// Sets when a file or folder was last changed.
std::error_code setModified(const std::string& path, std::chrono::system_clock::time_point time);

} // namespace kakutei::testing
