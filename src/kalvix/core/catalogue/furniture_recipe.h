#pragma once
#include <array>
#include <cstdint>

namespace kalvix {

inline constexpr int kMaterialCount = 19;  // material classes 0..18, 0 meaning none
inline constexpr int kRecipeCount = 38;
inline constexpr int kRecipeMaterials = 4;

// One furniture recipe (家具配方): the four material classes that make an item.
struct FurnitureRecipe {
    std::int32_t furnitureId = 0;
    std::array<std::int32_t, kRecipeMaterials> materials{};  // material indexes, 0 for none
};

}  // namespace kalvix
