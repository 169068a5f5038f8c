#pragma once
#include <cstdint>
#include <optional>

namespace kalvix {

// The current time in seconds since 1970; kalvix-calc --time=T fixes it so that what depends
// on the clock is reproducible.
std::int64_t currentTime();
void fixCurrentTime(std::optional<std::int64_t> seconds);

}  // namespace kalvix
