#include "shell/internet_addresses.h"

#include "core/path_text.h"
#include "core/this_system.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#ifndef KAKUTEI_SOURCE_GUIDE
#define KAKUTEI_SOURCE_GUIDE ""
#endif
#ifndef KAKUTEI_SUPPORT_MAIL
#define KAKUTEI_SUPPORT_MAIL "support@kakutei.invalid"
#endif

namespace kakutei {

std::vector<std::string> userGuideCandidates() {
    // A guide named by the user is the only one tried: a wrong name must be said, not quietly replaced.
    if (auto guide = environmentText("KAKUTEI_GUIDE"))
        return {*guide};
    std::vector<std::string> candidates;
    // Found from the program itself, not from where the build meant to install it: the same files work
    // under /usr, /opt/kakutei, a DESTDIR or a copied tree.
    if (const auto program = thisProgramPath())
        candidates.push_back(utf8Path(fsPath(*program).parent_path().parent_path() / "share" / "doc" /
                                      "kakutei" / "guide.html"));
    if (*KAKUTEI_SOURCE_GUIDE)
        candidates.emplace_back(KAKUTEI_SOURCE_GUIDE);
    return candidates;
}

std::optional<std::string> userGuidePath() {
    for (const std::string& candidate : userGuideCandidates()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(fsPath(candidate), error))
            return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> userGuideAddress() {
    const auto path = userGuidePath();
    if (!path)
        return std::nullopt;
    return "file://" + *path;
}

std::optional<std::string> supportPageAddress() {
    const auto guide = userGuideAddress();
    if (!guide)
        return std::nullopt;
    return *guide + "#問い合わせ";
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
