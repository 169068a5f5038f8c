// Lookups of the stunt and equipment effect tables.

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

const StuntInfo* Catalogue::stunt(int index) const {
    if (index < 0 || index >= kStuntSlots)
        return nullptr;
    return &stunts[index];
}

int Catalogue::effectPosition(std::int32_t indexInSlot, std::int32_t slot) const {
    // The empty positions have indexInSlot 0, so refusing 0 keeps them from ever matching.
    if (indexInSlot <= 0)
        return -1;
    for (int position = 0; position < kEquipEffectSlots; ++position) {
        const EquipEffectInfo& row = equipEffects[position];
        if (row.slot == slot && row.indexInSlot == indexInSlot)
            return position;
    }
    return -1;
}

const EquipEffectInfo* Catalogue::effect(int position) const {
    if (position < kFirstEquipEffect || position > kLastEquipEffect)
        return nullptr;
    return &equipEffects[position];
}

std::int32_t Catalogue::effectMaskBit(std::int32_t indexInSlot) {
    if (indexInSlot < 1 || indexInSlot > 30)
        return 0;
    return std::int32_t{1} << indexInSlot;
}

std::vector<int> Catalogue::carriedEffects(std::int32_t slot, std::int32_t partMask,
                                           std::int32_t generalMask) const {
    std::vector<int> positions;
    for (int position = kFirstEquipEffect; position <= kLastEquipEffect; ++position) {
        const EquipEffectInfo& row = equipEffects[position];
        const std::int32_t bit = effectMaskBit(row.indexInSlot);
        if (bit == 0)
            continue;
        // A general effect never counts as part-specific, even for a piece of slot -1.
        const bool part = row.slot != -1 && row.slot == slot && (partMask & bit) != 0;
        const bool general = row.slot == -1 && (generalMask & bit) != 0;
        if (part || general)
            positions.push_back(position);
    }
    return positions;
}

}  // namespace kalvix
