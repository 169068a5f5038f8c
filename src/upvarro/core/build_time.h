#pragma once
// When this updater was built, seconds since 1970 (SOURCE_DATE_EPOCH when the build sets it).

#include <cstdint>

namespace upvarro {

extern const std::int64_t kBuildTime;

}  // namespace upvarro
