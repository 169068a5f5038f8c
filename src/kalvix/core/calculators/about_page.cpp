#include "kalvix/core/calculators/about_page.h"

#include "kalvix/build_config.h"

namespace kalvix {

AboutPage::AboutPage(PageContext&) {
    addResult("地址", "browser", [] { return address(); });
}

std::string AboutPage::address() {
    return std::string(config::kPortalHost) + "/xyq20110303.html?curver='" + config::kVersion + "'";
}

}  // namespace kalvix
