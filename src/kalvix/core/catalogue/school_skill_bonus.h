#pragma once
// The attribute bonus that a school skill slot earns at a level.

#include <array>
#include <cstdint>

#include "kalvix/core/catalogue/school_skill_info.h"

namespace kalvix {

// The inputs beyond the level that some slots need.
struct SkillBonusInputs {
    std::int32_t baseHP = 0;    // slot 1: HP from points alone
    std::int32_t baseMP = 0;    // slot 2: MP from points alone
    std::int32_t hitBonus = 0;  // slot 4: the slot-3 bonus of the same school
};

// Bonus of one slot (1..8) of the school (race index 0..2, school index 0..3) at the effective
// level (chosen level plus rune-combination extra levels). 0 for indexes outside those ranges;
// a negative level counts as 0.
std::int32_t schoolSkillBonus(int raceIndex, int schoolIndex, int slot, std::int32_t level,
                              const SkillBonusInputs& inputs = {});

// The part of the slot-4 bonus that comes from the slot-3 bonus: hitBonus / 3 for 大唐官府,
// trunc(hitBonus / 8.3) for 盘丝洞, 0 for the other schools. Skill tooltips show it.
std::int32_t schoolSkillHitShare(int raceIndex, int schoolIndex, std::int32_t hitBonus);

// Bonuses of all eight slots at the given effective levels; slot 3 is computed first and
// feeds slot 4.
std::array<std::int32_t, kSchoolSkillSlots> schoolSkillBonuses(
    int raceIndex, int schoolIndex, const std::array<std::int32_t, kSchoolSkillSlots>& levels,
    std::int32_t baseHP, std::int32_t baseMP);

}  // namespace kalvix
