#pragma once
// What sets the six equipment editors apart: the attribute lists each one shows, their ranges
// and steps, the values a level presets, and how the rune holes are shown. Everything else
// the editors share.

#include <array>
#include <cstdint>
#include <span>

namespace kalvix {

struct EquipmentRecord;

// Where an attribute list stores its value in the EquipmentRecord.
enum class EquipField { BaseFive, BaseStatus, AddedFive, MeltFive, MeltStatus };

enum class EquipGroup { Base, Added, Melt };

struct EquipListSpec {
    EquipGroup group;
    const char* name;  // 伤害, 体质 …: the list's caption within its group
    EquipField field;
    int index;  // into the field's array
    std::int32_t min;
    std::int32_t max;
    std::int32_t step;
    // Level preset a × n + b for level position n ≥ 1; a == 0 for lists without one.
    std::int32_t presetA = 0;
    std::int32_t presetB = 0;

    bool preset() const { return presetA != 0; }
    std::int32_t presetValue(std::int32_t n, bool strengthened) const;
    int itemCount() const { return (max - min) / step + 1; }
    std::int32_t valueAt(int position) const { return min + position * step; }
    // The position that shows a stored value: value ÷ step for the stepped lists from 0, the
    // item equal to the value for the others; -1 when the list has no such item.
    int positionOf(std::int32_t value) const;
    std::int32_t& in(EquipmentRecord& piece) const;
    std::int32_t in(const EquipmentRecord& piece) const;
};

struct EquipmentKind {
    std::int32_t slot;      // equipment-slot value 1..6
    const char* title;      // dialog title
    const char* className;  // CDlgWeapon …
    std::span<const EquipListSpec> lists;
    bool strengthenShown;  // the 强化 box is part of every layout but not always shown
    bool iconHoles;        // holes as 48×48 icon buttons instead of text fields
};

inline constexpr int kEquipmentKinds = 6;

// The editor of slot 1..6; nullptr outside.
const EquipmentKind* equipmentKind(std::int32_t slot);
const std::array<EquipmentKind, kEquipmentKinds>& equipmentKinds();

}  // namespace kalvix
