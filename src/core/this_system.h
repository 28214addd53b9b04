#pragma once
// What the program asks of the operating system about itself and other processes, one file per platform.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace kakutei {

std::string thisHostName(); // empty when unknown
std::string thisUserName(); // the login name, or the user's number when it has none
std::int64_t thisProcessId();
// Whether a process with that number runs on this computer (also when it belongs to another user).
bool processRuns(std::int64_t process);
std::tm localTime(std::time_t time);
// An environment variable in UTF-8; nothing when it is unset or empty.
std::optional<std::string> environmentText(const char* name);
// The running program's own file, links resolved; nothing when the system does not say.
std::optional<std::string> thisProgramPath();
// Where the data lives when neither --root nor KAKUTEI_ROOT names a folder.
std::string defaultDataRoot();

} // namespace kakutei
