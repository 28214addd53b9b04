#pragma once
// Records every call a screen makes to the person at the keyboard, and answers questions from a script.

#include "core/user_interface.h"

#include <deque>
#include <string>
#include <vector>

namespace kakutei::testing {

struct UiCall {
    std::string kind; // "warn", "ask", "choose", "beep", "show", "hide", "open", "quit"
    std::string title;
    std::string body;
    ScreenId screen = ScreenId::mainMenu;
};

class FakeUserInterface : public UserInterface {
public:
    void warn(std::string_view title, std::string_view body) override;
    bool ask(std::string_view title, std::string_view body) override;
    Choice choose(std::string_view title, std::string_view body) override;
    void beep() override { calls.push_back({"beep", {}, {}, {}}); }
    void show(ScreenId screen) override { calls.push_back({"show", {}, {}, screen}); }
    void hide(ScreenId screen) override { calls.push_back({"hide", {}, {}, screen}); }
    void openAddress(std::string_view address) override {
        calls.push_back({"open", std::string(address), {}, {}});
    }
    void quit() override { calls.push_back({"quit", {}, {}, {}}); }

    // The kinds of the recorded calls, in order, without show and hide.
    std::vector<std::string> dialogue() const;
    std::vector<UiCall> callsOf(std::string_view kind) const;

    std::vector<UiCall> calls;
    std::deque<bool> answers;   // for ask(); Cancel when empty
    std::deque<Choice> choices; // for choose(); 戻る when empty
};

} // namespace kakutei::testing
