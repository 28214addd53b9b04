#pragma once
// The addresses behind the main menu's internet frame. Only the project's own: its user guide and its
// page for questions and reports. The build may name a real support mailbox (KAKUTEI_SUPPORT_MAIL).

#include <string>
#include <string_view>

namespace kakutei {

std::string userGuideAddress();
std::string supportPageAddress();
std::string supportMailAddress();

// A mail address as the shell opens it: "mailto:" is put in front unless it is there already (in any case).
std::string mailUrl(std::string_view address);

} // namespace kakutei
