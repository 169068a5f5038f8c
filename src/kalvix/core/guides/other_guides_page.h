#pragma once
// 其他攻略: sixteen buttons, each opening a guide on the portal in the default browser.

#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class OtherGuidesPage : public PageModel {
  public:
    explicit OtherGuidesPage(PageContext& context);
    std::string title() const override { return "其他攻略"; }
};

}  // namespace kalvix
