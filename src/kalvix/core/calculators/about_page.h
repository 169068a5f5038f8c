#pragma once
// The 关于 tab: the maker's page about the toolbox, shown in the embedded browser.

#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class AboutPage : public PageModel {
  public:
    explicit AboutPage(PageContext& context);
    std::string title() const override { return "关于"; }

    // The about page's address on the portal; the single quotes belong to the query.
    static std::string address();
};

}  // namespace kalvix
