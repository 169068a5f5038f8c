#pragma once
// The link buttons of the 常用查询 page and of the 其他攻略 sub-page: each opens one portal page
// in the default browser. Paths are fixed; hosts come from the build's configuration.

#include <span>
#include <string>

namespace kalvix {

enum class PortalHost { Game, Forum, Simulator };

struct PortalLink {
    const char* caption;  // the button's caption
    const char* id;       // its objectName
    PortalHost host;
    const char* path;
};

// The full address of a link: its host followed by its path.
std::string portalAddress(const PortalLink& link);

// The nine link buttons of 常用查询, in the page's order.
std::span<const PortalLink> queryLinks();
// The sixteen buttons of 其他攻略, in the page's order.
std::span<const PortalLink> otherGuideLinks();

}  // namespace kalvix
