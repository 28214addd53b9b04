#pragma once
// An option button of a screen model: its caption and whether it is on. Switching one on from code runs
// its action, exactly as a click would, so screens switch options only through their own member functions.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kakutei {

struct OptionButton {
    std::string caption;
    bool on = false;
};

// A row of option buttons, all off, captioned in the order the screen shows them.
template <std::size_t N>
std::array<OptionButton, N> makeOptions(const std::array<std::string_view, N>& captions) {
    std::array<OptionButton, N> options;
    for (std::size_t i = 0; i < N; ++i)
        options[i].caption = captions[i];
    return options;
}

template <std::size_t N> void switchOff(std::array<OptionButton, N>& options) {
    for (OptionButton& option : options)
        option.on = false;
}

} // namespace kakutei
