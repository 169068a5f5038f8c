#pragma once
// Two builds side by side: every attribute the simulator page shows, this build's value and
// the other's. For each of them more is better for the player.

#include <cstdint>
#include <string>
#include <vector>

#include "kalvix/core/simulator/attribute_sheet.h"

namespace kalvix {

inline constexpr const char* kAttributeNames[kBasicAttributes] = {"体质", "魔力", "力量", "耐力",
                                                                  "敏捷"};
inline constexpr const char* kStatusNames[kStatusAttributes] = {"气血", "魔法", "命中", "伤害",
                                                                "防御", "速度", "躲避", "灵力"};

struct ComparedAttribute {
    std::string name;
    std::int32_t mine = 0;
    std::int32_t other = 0;

    // +1 when this build is the better one on this attribute, -1 the worse, 0 the same.
    int verdict() const { return mine > other ? 1 : (mine < other ? -1 : 0); }
    // The difference as the page shows it: "+12", "-3", "0".
    std::string difference() const;
};

std::vector<ComparedAttribute> compareSheets(const AttributeSheet& mine,
                                             const AttributeSheet& other);

}  // namespace kalvix
