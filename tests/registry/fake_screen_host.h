#pragma once

#include "core/screen_host.h"

#include <utility>
#include <vector>

namespace kakutei::testing {

class FakeScreenHost : public ScreenHost {
public:
    void openScreen(ScreenId screen) override { calls.emplace_back("open", screen); }
    void discardScreen(ScreenId screen) override { calls.emplace_back("discard", screen); }
    std::vector<std::pair<std::string, ScreenId>> calls;
};

} // namespace kakutei::testing
