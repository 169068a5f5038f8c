#include "kalvix/core/simulator/equipment_kinds.h"

#include "common/truncation.h"
#include "kalvix/core/simulator/character_build.h"

namespace kalvix {
namespace {

using G = EquipGroup;
using F = EquipField;

constexpr EquipListSpec kWeapon[] = {
    {G::Base, "伤害", F::BaseStatus, kHurt, 0, 999, 1, 35, 10},
    {G::Base, "命中", F::BaseStatus, kHit, 0, 999, 1, 30, 10},
    {G::Base, "躲避", F::BaseStatus, kDodge, 0, 400, 20},
    {G::Added, "体质", F::AddedFive, 0, -50, 50, 1},
    {G::Added, "魔力", F::AddedFive, 1, -50, 50, 1},
    {G::Added, "力量", F::AddedFive, 2, -50, 50, 1},
    {G::Added, "耐力", F::AddedFive, 3, -50, 50, 1},
    {G::Added, "敏捷", F::AddedFive, 4, -50, 50, 1},
    {G::Melt, "体质", F::MeltFive, 0, -50, 50, 1},
    {G::Melt, "魔力", F::MeltFive, 1, -50, 50, 1},
    {G::Melt, "力量", F::MeltFive, 2, -50, 50, 1},
    {G::Melt, "耐力", F::MeltFive, 3, -50, 50, 1},
    {G::Melt, "敏捷", F::MeltFive, 4, -50, 50, 1},
};

constexpr EquipListSpec kClothing[] = {
    {G::Base, "防御", F::BaseStatus, kDefence, 0, 500, 1, 15, 10},
    {G::Base, "气血", F::BaseStatus, kHP, 0, 600, 40},
    {G::Base, "灵力", F::BaseStatus, kAnima, 0, 90, 6},
    {G::Added, "体质", F::AddedFive, 0, -50, 50, 1},
    {G::Added, "魔力", F::AddedFive, 1, -50, 50, 1},
    {G::Added, "力量", F::AddedFive, 2, -50, 50, 1},
    {G::Added, "耐力", F::AddedFive, 3, -50, 50, 1},
    {G::Added, "敏捷", F::AddedFive, 4, -50, 50, 1},
    {G::Melt, "体质", F::MeltFive, 0, -50, 50, 1},
    {G::Melt, "魔力", F::MeltFive, 1, -50, 50, 1},
    {G::Melt, "力量", F::MeltFive, 2, -50, 50, 1},
    {G::Melt, "耐力", F::MeltFive, 3, -50, 50, 1},
    {G::Melt, "敏捷", F::MeltFive, 4, -50, 50, 1},
    {G::Melt, "防御", F::MeltStatus, kDefence, -100, 100, 1},
};

constexpr EquipListSpec kHead[] = {
    {G::Base, "防御", F::BaseStatus, kDefence, 0, 300, 1, 5, 5},
    {G::Base, "魔法", F::BaseStatus, kMP, 0, 300, 1, 10, 5},
    {G::Base, "命中", F::BaseStatus, kHit, 0, 375, 25},
    {G::Base, "伤害", F::BaseStatus, kHurt, 0, 120, 8},
    {G::Melt, "防御", F::MeltStatus, kDefence, -50, 50, 1},
    {G::Melt, "魔法", F::MeltStatus, kMP, -100, 100, 1},
};

constexpr EquipListSpec kNecklace[] = {
    {G::Base, "灵力", F::BaseStatus, kAnima, 0, 400, 1, 12, 5},
    {G::Melt, "灵力", F::MeltStatus, kAnima, -50, 50, 1},
};

constexpr EquipListSpec kBelt[] = {
    {G::Base, "防御", F::BaseStatus, kDefence, 0, 120, 1, 5, 5},
    {G::Base, "气血", F::BaseStatus, kHP, 0, 999, 1, 20, 10},
    {G::Base, "速度", F::BaseStatus, kSpeed, 0, 120, 8},
    {G::Base, "躲避", F::BaseStatus, kDodge, 0, 300, 20},
    {G::Melt, "防御", F::MeltStatus, kDefence, -50, 50, 1},
    {G::Melt, "气血", F::MeltStatus, kHP, -150, 150, 1},
};

constexpr EquipListSpec kBoot[] = {
    {G::Base, "防御", F::BaseStatus, kDefence, 0, 120, 1, 5, 5},
    {G::Base, "敏捷", F::BaseFive, 4, 0, 120, 1, 3, 5},
    {G::Base, "速度", F::BaseStatus, kSpeed, 0, 120, 8},
    {G::Base, "躲避", F::BaseStatus, kDodge, 0, 300, 20},
    {G::Melt, "防御", F::MeltStatus, kDefence, -50, 50, 1},
    {G::Melt, "敏捷", F::MeltFive, 4, -50, 50, 1},
};

const std::array<EquipmentKind, kEquipmentKinds> kKinds = {{
    {1, "武器", "CDlgWeapon", kWeapon, true, false},
    // The 强化 box of the armour is in its layout but never shown.
    {2, "铠甲/女衣", "CDlgClothing", kClothing, false, false},
    {3, "头盔/发钗", "CDlgHead", kHead, true, true},
    {4, "项链", "CDlgNecklace", kNecklace, true, true},
    {5, "腰带", "CDlgBelt", kBelt, true, true},
    {6, "靴子", "CDlgBoot", kBoot, true, true},
}};

}  // namespace

std::int32_t EquipListSpec::presetValue(std::int32_t n, bool strengthened) const {
    const std::int32_t v = presetA * n + presetB;
    return strengthened ? common::truncToInt(v * 1.05) : v;
}

int EquipListSpec::positionOf(std::int32_t value) const {
    if (min == 0 && step > 1) {
        const std::int32_t position = value / step;
        return position >= 0 && position < itemCount() ? position : -1;
    }
    if (value < min || value > max || (value - min) % step != 0)
        return -1;
    return (value - min) / step;
}

std::int32_t& EquipListSpec::in(EquipmentRecord& piece) const {
    const auto i = static_cast<std::size_t>(index);
    switch (field) {
        case EquipField::BaseFive:
            return piece.baseFive[i];
        case EquipField::BaseStatus:
            return piece.baseStatus[i];
        case EquipField::AddedFive:
            return piece.addedFive[i];
        case EquipField::MeltFive:
            return piece.meltFive[i];
        case EquipField::MeltStatus:
            break;
    }
    return piece.meltStatus[i];
}

std::int32_t EquipListSpec::in(const EquipmentRecord& piece) const {
    return in(const_cast<EquipmentRecord&>(piece));
}

const std::array<EquipmentKind, kEquipmentKinds>& equipmentKinds() {
    return kKinds;
}

const EquipmentKind* equipmentKind(std::int32_t slot) {
    return slot >= 1 && slot <= kEquipmentKinds ? &kKinds[static_cast<std::size_t>(slot - 1)]
                                                : nullptr;
}

}  // namespace kalvix
