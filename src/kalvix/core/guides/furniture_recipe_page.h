#pragma once
// 家具配方: the fixed text of the furniture recipes, first and second grade.

#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class FurnitureRecipePage : public PageModel {
  public:
    explicit FurnitureRecipePage(PageContext& context);
    std::string title() const override { return "家具配方"; }

    // 42 lines joined by "\r\n": a blank line, the header, and the two sections.
    static const std::string& recipeText();
};

}  // namespace kalvix
