#pragma once
// A field of a screen is a small model with no widget: the view only copies its text to and from the screen.

#include <cstdint>
#include <string>

namespace kakutei {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

namespace colours {
inline constexpr Colour black{0, 0, 0};
inline constexpr Colour red{255, 0, 0}; // previous-year values
} // namespace colours

struct Field {
    std::string text; // UTF-8, exactly as the user sees it
    Colour colour = colours::black;
};

} // namespace kakutei
