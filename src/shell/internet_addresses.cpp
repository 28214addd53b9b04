#include "shell/internet_addresses.h"

#include <cctype>
#include <cstdlib>

#ifndef KAKUTEI_GUIDE_PATH
#define KAKUTEI_GUIDE_PATH "/usr/share/doc/kakutei/guide.html"
#endif
#ifndef KAKUTEI_SUPPORT_MAIL
#define KAKUTEI_SUPPORT_MAIL "support@kakutei.invalid"
#endif

namespace kakutei {

std::string userGuideAddress() {
    if (const char* guide = std::getenv("KAKUTEI_GUIDE"); guide && *guide)
        return std::string("file://") + guide;
    return std::string("file://") + KAKUTEI_GUIDE_PATH;
}

std::string supportPageAddress() {
    return userGuideAddress() + "#問い合わせ";
}

std::string supportMailAddress() {
    return KAKUTEI_SUPPORT_MAIL;
}

std::string mailUrl(std::string_view address) {
    constexpr std::string_view prefix = "mailto:";
    bool hasPrefix = address.size() >= prefix.size();
    for (std::size_t i = 0; hasPrefix && i < prefix.size(); ++i)
        hasPrefix = std::tolower(static_cast<unsigned char>(address[i])) == prefix[i];
    return hasPrefix ? std::string(address) : std::string(prefix) + std::string(address);
}

} // namespace kakutei
