#include "kalvix/core/guides/other_guides_page.h"

#include "kalvix/core/guides/portal_links.h"

namespace kalvix {

OtherGuidesPage::OtherGuidesPage(PageContext&) {
    for (const PortalLink& link : otherGuideLinks())
        addButton(link.caption, link.id, [this, &link] { openAddress(portalAddress(link)); });
}

}  // namespace kalvix
