#pragma once
#include <cstdint>
#include <string>

namespace kalvix {

inline constexpr int kFurnitureSlots = 83;  // 82 items from slot 0, the last slot empty
inline constexpr int kFurnitureItems = 82;
inline constexpr std::int32_t kBlankFurniturePicture = 5999;

// One furniture item (家具) a player can place in a house.
struct FurnitureInfo {
    std::int32_t id = 0;  // also the number of the item's picture
    std::string name;
    std::int32_t kind = 0;    // furniture-kind enumeration value 1..10
    std::int32_t grade = 0;   // 1..4
    std::string description;  // one or two lines, "<br>" between them
};

}  // namespace kalvix
