#include "kalvix/core/simulator/furniture_page.h"

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/furniture_tips.h"

namespace kalvix {

FurniturePage::FurniturePage(PageContext& context)
    : catalogue_(context.catalogue()), picture_(kBlankFurniturePicture) {
    Control& kinds = addList(
        "家具类别", "comboKind",
        [this] {
            std::vector<std::string> items{"所有"};
            for (int k = 1; k <= kKinds; ++k)
                items.push_back(catalogue_.enumName(kEnumFurnitureKind, k));
            return items;
        },
        [this] { return kind_; }, [this](int i) { chooseKind(i); });
    kinds.output = true;
    Control& items = addList(
        "家具", "comboFurniture", [this] { return names_; }, [this] { return furniture_; },
        [this](int i) { chooseFurniture(i); });
    items.output = true;
    for (int m = 0; m < kRecipeMaterials; ++m) {
        Control& c = addList(
            materialCaption(m), "comboMaterial" + std::to_string(m + 1),
            [this] {
                std::vector<std::string> names;
                for (int i = 0; i < kMaterialCount; ++i)
                    names.push_back(catalogue_.materialName(i));
                return names;
            },
            [this, m] { return materials_[m]; }, [this, m](int i) { chooseMaterial(m, i); });
        c.output = true;
    }
    // The picture and the tip are drawn by the dialog itself, so no widget is bound to them.
    addResult("图片", "", [this] { return std::to_string(picture_); });
    addResult("家具.提示", "", [this] { return itemTip_; });
    // Both close the window; the page has nothing to confirm or to take back.
    addButton("确定", "buttonOk", [] {});
    addButton("取消", "buttonCancel", [] {});

    rebuildList();
}

std::string FurniturePage::materialCaption(int material) {
    return "材料" + std::to_string(material + 1);
}

std::int32_t FurniturePage::chosenId() const {
    return furniture_ >= 0 && furniture_ < static_cast<int>(keys_.size()) ? keys_[furniture_] : 0;
}

void FurniturePage::rebuildList() {
    keys_.assign(1, 0);
    names_.assign(1, " ");
    for (int slot : catalogue_.furnitureOfKind(kind_)) {
        keys_.push_back(catalogue_.furniture[slot].id);
        names_.push_back(catalogue_.furniture[slot].name);
    }
    furniture_ = 0;
}

void FurniturePage::selectKey(std::int32_t id) {
    furniture_ = 0;
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] == id) {
            furniture_ = static_cast<int>(i);
            break;
        }
}

void FurniturePage::chooseKind(int index) {
    if (index < 0 || index > kKinds)
        return;
    // Only the list is rebuilt: picture, tip and materials stay until an item is chosen.
    kind_ = index;
    rebuildList();
}

void FurniturePage::chooseFurniture(int index) {
    if (index < 0 || index >= static_cast<int>(keys_.size()))
        return;
    furniture_ = index;
    const std::int32_t id = keys_[index];
    materials_.fill(0);
    if (const int r = catalogue_.findRecipe(id); r >= 0)
        materials_ = catalogue_.recipes[r].materials;
    showItem(id);
}

void FurniturePage::chooseMaterial(int material, int index) {
    if (material < 0 || material >= kRecipeMaterials || index < 0 || index >= kMaterialCount)
        return;
    materials_[material] = index;
    std::int32_t id = 0;
    if (const int r = catalogue_.matchRecipe(materials_); r >= 0) {
        id = catalogue_.recipes[r].furnitureId;
        kind_ = 0;
        rebuildList();
    }
    selectKey(id);
    showItem(chosenId());
}

void FurniturePage::showItem(std::int32_t id) {
    const int slot = id > 0 ? catalogue_.findFurniture(id) : -1;
    if (slot < 0) {
        picture_ = kBlankFurniturePicture;
        itemTip_.clear();
        return;
    }
    picture_ = id;
    itemTip_ = furnitureItemTip(catalogue_, catalogue_.furniture[slot]);
}

}  // namespace kalvix
