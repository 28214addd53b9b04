#include "app/stream_user_interface.h"

namespace kakutei {

void StreamUserInterface::warn(std::string_view title, std::string_view body) {
    warned_ = true;
    err_ << title << ": " << body << '\n';
}

bool StreamUserInterface::ask(std::string_view title, std::string_view body) {
    err_ << title << ": " << body
         << (yes_ ? " → OK (--yes)" : " → キャンセル（OK とするには --yes を付けて下さい）") << '\n';
    declined_ = declined_ || !yes_;
    return yes_;
}

Choice StreamUserInterface::choose(std::string_view title, std::string_view body) {
    err_ << title << ": " << body << " → " << kBackCaption << '\n';
    return Choice::back;
}

} // namespace kakutei
