#include "fixture_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei::testing {

std::error_code makeLink(const std::string& target, const std::string& link, bool) {
    if (::symlink(target.c_str(), link.c_str()) != 0)
        return {errno, std::generic_category()};
    return {};
}

std::error_code setModified(const std::string& path, std::chrono::system_clock::time_point time) {
    const auto seconds = std::chrono::system_clock::to_time_t(time);
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
        return {errno, std::generic_category()};
    return {};
}

} // namespace kakutei::testing
