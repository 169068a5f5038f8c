#include "kalvix/core/guides/query_page.h"

#include "kalvix/core/guides/portal_links.h"

namespace kalvix {

QueryPage::QueryPage(PageContext&) {
    // Four columns, three rows: the links, with the two simulations in the first row, and the
    // ghost-catching calculator last.
    const auto links = queryLinks();
    auto addLink = [this](const PortalLink& link) {
        addButton(link.caption, link.id, [this, &link] { openAddress(portalAddress(link)); });
    };
    for (std::size_t i = 0; i < 3; ++i)
        addLink(links[i]);
    addButton("符石模拟", "buttonRune", [this] { open(kRuneWindow); });
    addButton("家具模拟", "buttonFurniture", [this] { open(kFurnitureWindow); });
    for (std::size_t i = 3; i < links.size(); ++i)
        addLink(links[i]);
    addButton("捉鬼计算器", "buttonGhost", [this] { open(kGhostWindow); });
}

}  // namespace kalvix
