#pragma once
// Colours of the tooltip markup: CSS named colours or "#RRGGBB".

#include <cstdint>
#include <optional>
#include <string_view>

namespace kalvix::tooltip {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// A CSS colour name (any case) or '#' with exactly six hex digits; nothing for anything else.
std::optional<Colour> parseColour(std::string_view text);

}  // namespace kalvix::tooltip
