#pragma once
// The portal's three hosts: its game section, its forum and its simulator site. The build
// configures one portal base address (KALVIX_PORTAL_HOST) and all three live under it; the
// paths of the pages on them are fixed where the links are declared.

#include "kalvix/build_config.h"

namespace kalvix::portal {

inline constexpr const char* kGameHost = config::kPortalHost;
inline constexpr const char* kForumHost = config::kPortalHost;
inline constexpr const char* kSimulatorHost = config::kPortalHost;

}  // namespace kalvix::portal
