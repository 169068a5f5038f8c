#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace common {

// A 64-bit value held within 32 bits: beyond them it saturates.
inline std::int32_t clampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// trunc() of a real toward zero, as the game's formulas truncate; a value beyond 32 bits (or
// not a number) saturates instead of being undefined.
inline std::int32_t truncToInt(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace common
