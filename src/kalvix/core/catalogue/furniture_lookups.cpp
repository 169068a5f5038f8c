// Lookups of the furniture, material and recipe tables.

#include <algorithm>

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

int Catalogue::findFurniture(std::int32_t id) const {
    // The empty slot has id 0, which is no item's id.
    if (id <= 0)
        return -1;
    for (int slot = 0; slot < kFurnitureItems; ++slot)
        if (furniture[slot].id == id)
            return slot;
    return -1;
}

std::vector<int> Catalogue::furnitureOfKind(std::int32_t kind) const {
    std::vector<int> slots;
    for (int slot = 0; slot < kFurnitureItems; ++slot)
        if (kind == 0 || furniture[slot].kind == kind)
            slots.push_back(slot);
    return slots;
}

std::string Catalogue::materialName(std::int32_t index) const {
    if (index < 0 || index >= kMaterialCount)
        return {};
    return materialNames[index];
}

int Catalogue::findRecipe(std::int32_t furnitureId) const {
    if (furnitureId <= 0)
        return -1;
    for (int i = 0; i < kRecipeCount; ++i)
        if (recipes[i].furnitureId == furnitureId)
            return i;
    return -1;
}

int Catalogue::matchRecipe(const std::array<std::int32_t, kRecipeMaterials>& materials) const {
    // A one-to-one pairing in any order exists exactly when both sorted lists are equal.
    std::array<std::int32_t, kRecipeMaterials> given = materials;
    std::sort(given.begin(), given.end());
    int found = -1;
    for (int i = 0; i < kRecipeCount; ++i) {
        std::array<std::int32_t, kRecipeMaterials> row = recipes[i].materials;
        std::sort(row.begin(), row.end());
        if (row == given)
            found = i;  // the last matching row counts
    }
    return found;
}

}  // namespace kalvix
