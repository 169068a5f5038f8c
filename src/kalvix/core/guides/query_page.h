#pragma once
// 常用查询: twelve buttons. Nine open a portal page in the default browser; 符石模拟, 家具模拟 and
// 捉鬼计算器 open the toolbox's own windows, fresh at every opening.

#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class QueryPage : public PageModel {
  public:
    // Titles of the windows the page opens.
    static constexpr const char* kRuneWindow = "符石模拟";
    static constexpr const char* kFurnitureWindow = "家具";
    static constexpr const char* kGhostWindow = "捉鬼计算器";

    explicit QueryPage(PageContext& context);
    std::string title() const override { return "常用查询"; }
};

}  // namespace kalvix
