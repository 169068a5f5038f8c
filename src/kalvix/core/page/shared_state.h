#pragma once
#include <cstdint>

namespace kalvix {

// The level of the 人物 and 任务 pages' "当前等级" lists, shared between them. Touched only
// from the user-interface thread.
std::int32_t& sharedCurrentLevel();

}  // namespace kalvix
