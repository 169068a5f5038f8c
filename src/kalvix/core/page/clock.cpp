#include "kalvix/core/page/clock.h"

#include <ctime>

namespace kalvix {

std::int64_t Clock::now() const {
    return fixed_ ? *fixed_ : static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace kalvix
