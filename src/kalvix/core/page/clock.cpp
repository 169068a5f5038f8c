#include "kalvix/core/page/clock.h"

#include <ctime>

namespace kalvix {
namespace {
std::optional<std::int64_t>& fixedTime() {
    static std::optional<std::int64_t> t;
    return t;
}
}  // namespace

std::int64_t currentTime() {
    if (fixedTime())
        return *fixedTime();
    return static_cast<std::int64_t>(std::time(nullptr));
}

void fixCurrentTime(std::optional<std::int64_t> seconds) {
    fixedTime() = seconds;
}

}  // namespace kalvix
