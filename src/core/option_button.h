#pragma once
// An option button of a screen model: its caption and whether it is on. Switching one on from code runs
// its action, exactly as a click would, so screens switch options only through their own member functions.

#include <string>

namespace kakutei {

struct OptionButton {
    std::string caption;
    bool on = false;
};

} // namespace kakutei
