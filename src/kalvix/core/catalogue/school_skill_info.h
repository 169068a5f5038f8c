#pragma once
#include <cstdint>
#include <string>

namespace kalvix {

inline constexpr int kRaces = 3;
inline constexpr int kSchoolsPerRace = 4;
inline constexpr int kSchoolSkillSlots = 8;
inline constexpr int kSchoolSkillRows = kRaces * kSchoolsPerRace * kSchoolSkillSlots;  // 96

// One school skill (门派技能) position of a school. Slots are the fixed positions of the
// simulator page: 1 气血, 2 魔法, 3 命中, 4 伤害, 5 防御, 6 速度, 7 躲避, 8 灵力 技能.
// A row with an empty name means the school has no skill at that position.
struct SchoolSkillInfo {
    std::int32_t race = 0;    // 1 人族, 2 仙族, 3 魔族
    std::int32_t school = 0;  // 1..4 within the race
    std::int32_t slot = 0;    // 1..8
    std::string name;
    std::int32_t attribute = 0;  // status enumeration value the skill raises (0..8)
    std::string effect;          // fixed by the attribute
    std::string techniques;      // the skill's techniques (法术), separators as they stand
};

// Row position of (race 1..3, school 1..4, slot 1..8).
constexpr int schoolSkillPosition(int race, int school, int slot) {
    return ((race - 1) * kSchoolsPerRace + (school - 1)) * kSchoolSkillSlots + (slot - 1);
}

}  // namespace kalvix
