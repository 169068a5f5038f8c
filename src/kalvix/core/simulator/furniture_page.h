#pragma once
// The 家具 dialog: browse the furniture by kind with each item's picture, card and recipe, or
// choose four materials and see which item they make.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "kalvix/core/catalogue/furniture_recipe.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class Catalogue;

class FurniturePage : public PageModel {
  public:
    static constexpr int kKinds = 10;

    explicit FurniturePage(PageContext& context);
    std::string title() const override { return "家具"; }

    void chooseKind(int index);  // 0 所有, then the kinds 1..10
    void chooseFurniture(int index);
    void chooseMaterial(int material, int index);  // material 0..3, index a material class

    int kind() const { return kind_; }
    // The item ids of the 家具 list by position; position 0 is the blank item, id 0.
    const std::vector<std::int32_t>& keys() const { return keys_; }
    std::int32_t chosenId() const;
    const std::array<std::int32_t, kRecipeMaterials>& materials() const { return materials_; }
    // The picture resource shown: the chosen item's id, or the blank picture.
    std::int32_t picture() const { return picture_; }
    // The tip of the picture and the 家具 list; empty with no item shown.
    const std::string& itemTip() const { return itemTip_; }

    static std::string materialCaption(int material);

  private:
    void rebuildList();
    void selectKey(std::int32_t id);
    void showItem(std::int32_t id);

    const Catalogue& catalogue_;
    int kind_ = 0;
    std::vector<std::int32_t> keys_;
    std::vector<std::string> names_;
    int furniture_ = 0;
    std::array<std::int32_t, kRecipeMaterials> materials_{};
    std::int32_t picture_;
    std::string itemTip_;
};

}  // namespace kalvix
