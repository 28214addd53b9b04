#pragma once
// The addresses behind the main menu's internet frame. Only the project's own: its user guide and its
// page for questions and reports. The build may name a real support mailbox (KAKUTEI_SUPPORT_MAIL).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kakutei {

// Where the guide may be, in the order they are tried: beside the running program as installed under any
// prefix (<prefix>/bin/kakutei → <prefix>/share/doc/kakutei/guide.html), then the source tree of a program
// run from its build folder. $KAKUTEI_GUIDE, when set, is the only place.
std::vector<std::string> userGuideCandidates();
// The first of those that is there; nothing when none is.
std::optional<std::string> userGuidePath();

// "file://…" for the guide, and its section on asking for help; nothing when the guide is not there.
std::optional<std::string> userGuideAddress();
std::optional<std::string> supportPageAddress();
std::string supportMailAddress();

// A mail address as the shell opens it: "mailto:" is put in front unless it is there already (in any case).
std::string mailUrl(std::string_view address);

} // namespace kakutei
