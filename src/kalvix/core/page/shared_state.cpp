#include "kalvix/core/page/shared_state.h"

namespace kalvix {

std::int32_t& sharedCurrentLevel() {
    static std::int32_t level = 0;
    return level;
}

}  // namespace kalvix
