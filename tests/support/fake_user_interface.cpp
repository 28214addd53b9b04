#include "fake_user_interface.h"

namespace kakutei::testing {

void FakeUserInterface::warn(std::string_view title, std::string_view body) {
    calls.push_back({"warn", std::string(title), std::string(body), {}});
}

bool FakeUserInterface::ask(std::string_view title, std::string_view body) {
    calls.push_back({"ask", std::string(title), std::string(body), {}});
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

Choice FakeUserInterface::choose(std::string_view title, std::string_view body) {
    calls.push_back({"choose", std::string(title), std::string(body), {}});
    if (choices.empty())
        return Choice::back;
    const Choice choice = choices.front();
    choices.pop_front();
    return choice;
}

std::vector<std::string> FakeUserInterface::dialogue() const {
    std::vector<std::string> kinds;
    for (const UiCall& call : calls)
        if (call.kind != "show" && call.kind != "hide")
            kinds.push_back(call.kind);
    return kinds;
}

std::vector<UiCall> FakeUserInterface::callsOf(std::string_view kind) const {
    std::vector<UiCall> found;
    for (const UiCall& call : calls)
        if (call.kind == kind)
            found.push_back(call);
    return found;
}

} // namespace kakutei::testing
