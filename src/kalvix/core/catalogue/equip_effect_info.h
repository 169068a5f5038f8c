#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kalvix {

inline constexpr int kEquipEffectSlots = 20;  // positions 0..19; 0 and 19 stay empty
inline constexpr int kFirstEquipEffect = 1;
inline constexpr int kLastEquipEffect = 18;
inline constexpr int kLastPartEffect = 11;  // positions 1..11 are the part-specific effects
inline constexpr std::size_t kEquipEffectNameBytes = 19;

// One equipment effect (特效). Part-specific effects (部件特效) belong to one equipment slot;
// general effects (通用特效) have slot -1 and fit every slot. An equipment record keeps them as
// two masks, the effect with indexInSlot i being the bit value 2^i.
struct EquipEffectInfo {
    std::string name;              // at most kEquipEffectNameBytes GBK bytes
    std::int32_t slot = 0;         // equipment-slot enumeration value, -1 for general effects
    std::int32_t indexInSlot = 0;  // 1-based number among the effects of the same slot value
    std::string description;       // tooltip text, "<br>" marks line breaks
};

}  // namespace kalvix
