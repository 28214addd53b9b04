#pragma once
// The batch commands' user interface: messages go to standard error as "title: body"; a question is
// answered OK only when the user said --yes. Whether to store typed input is always answered 戻る: the
// commands type nothing, so the question would mean a fault, and going back neither loses nor writes a
// figure that nobody confirmed.

#include "core/user_interface.h"

#include <ostream>

namespace kakutei {

class StreamUserInterface : public UserInterface {
public:
    StreamUserInterface(std::ostream& err, bool yes) : err_(err), yes_(yes) {}

    void warn(std::string_view title, std::string_view body) override;
    bool ask(std::string_view title, std::string_view body) override;
    Choice choose(std::string_view title, std::string_view body) override;
    void beep() override {}
    void show(ScreenId) override {}
    void hide(ScreenId) override {}
    void openAddress(std::string_view) override {}
    void quit() override {}

    bool warned() const { return warned_; }
    // A question was answered Cancel: what it asked about was not done.
    bool declined() const { return declined_; }

private:
    std::ostream& err_;
    bool yes_;
    bool warned_ = false;
    bool declined_ = false;
};

} // namespace kakutei
