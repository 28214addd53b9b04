#include "core/this_system.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace kakutei {

std::string thisHostName() {
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0)
        return {};
    return host;
}

std::string thisUserName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        return entry->pw_name;
    return std::to_string(::geteuid());
}

std::int64_t thisProcessId() {
    return ::getpid();
}

bool processRuns(std::int64_t process) {
    if (process <= 0)
        return false;
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

std::optional<std::string> environmentText(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return value;
}

std::optional<std::string> thisProgramPath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::nullopt;
    return program.string();
}

// A user's own data folder on a Linux desktop: $XDG_DATA_HOME/kakutei, else ~/.local/share/kakutei.
std::string defaultDataRoot() {
    if (const auto data = environmentText("XDG_DATA_HOME"))
        return *data + "/kakutei";
    return environmentText("HOME").value_or(".") + "/.local/share/kakutei";
}

} // namespace kakutei
