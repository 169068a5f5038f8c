#pragma once
#include <cstdint>
#include <optional>

namespace kalvix {

// The time pages read, in seconds since 1970: the system's, or a fixed one (kalvix-calc
// --time=T, tests) so that what depends on the clock is reproducible.
class Clock {
  public:
    static Clock system() { return Clock(); }
    static Clock fixedAt(std::int64_t seconds) { return Clock(seconds); }

    std::int64_t now() const;
    bool fixed() const { return fixed_.has_value(); }

  private:
    Clock() = default;
    explicit Clock(std::int64_t seconds) : fixed_(seconds) {}

    std::optional<std::int64_t> fixed_;
};

}  // namespace kalvix
