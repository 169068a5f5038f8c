#pragma once
// The build state of the character build simulator: race, school, level, the points put into
// the five basic attributes, skill levels, six pieces of equipment and a mount.

#include <array>
#include <cstdint>
#include <string>

#include "kalvix/core/simulator/rune_setting.h"

namespace kalvix {

inline constexpr int kBasicAttributes = 5;  // 体质, 魔力, 力量, 耐力, 敏捷
inline constexpr int kStatusAttributes = 8;  // 气血, 魔法, 命中, 伤害, 防御, 速度, 躲避, 灵力
inline constexpr int kSpecialAttributes = 3;  // 法力防御, 法力伤害, 固定伤害
inline constexpr int kBuildSkillSlots = 8;
inline constexpr int kAuxSkills = 4;         // 强身, 冥思, 养生, 健身
inline constexpr int kEquipmentRecords = 7;  // 0 spare, 1..6 武器 … 鞋子
inline constexpr int kFirstPiece = 1;
inline constexpr int kLastPiece = 6;
inline constexpr int kMountCarried = 3;
inline constexpr std::size_t kBuildTextBytes = 29;  // GBK bytes of 服, 区, 角色

// Ranges of the values the simulator offers.
inline constexpr std::int32_t kMaxBuildLevel = 175;
inline constexpr std::int32_t kMaxAscendedLevel = 155;
inline constexpr std::int32_t kMaxGroundedLevel = 145;
inline constexpr std::int32_t kMaxExtraPotential = 255;
inline constexpr std::int32_t kMaxBuildSkillLevel = 190;
inline constexpr std::int32_t kMaxAuxLevel = 180;
inline constexpr std::int32_t kMaxMountAttribute = 1200;
// 好感, 饱食 and 环境 run from 0 to this.
inline constexpr std::int32_t kMaxMountCarried = 100;
inline constexpr float kMaxMountGrowth = 10.0f;
inline constexpr std::int32_t kMaxEquipLevelIndex = 15;
inline constexpr std::int32_t kMaxStuntIndex = 57;
// Widest ranges any equipment editor offers for each group of values.
inline constexpr std::int32_t kMaxBaseValue = 999;
inline constexpr std::int32_t kMaxAddedValue = 50;
inline constexpr std::int32_t kMaxMeltValue = 150;
// The most potential any build can have: 5 × (175 + 1) + 10 + 255.
inline constexpr std::int32_t kMaxAllocation = 1145;

// Indexes of the status attributes.
enum StatusIndex : int {
    kHP = 0,
    kMP = 1,
    kHit = 2,
    kHurt = 3,
    kDefence = 4,
    kSpeed = 5,
    kDodge = 6,
    kAnima = 7,
};

// Indexes of the auxiliary skills.
enum AuxIndex : int { kStrong = 0, kMeditate = 1, kNurture = 2, kFitness = 3 };

struct MountRecord {
    float growth = 0.0f;                                             // 成长
    std::array<std::int32_t, kMountCarried> carried{100, 100, 100};  // 好感, 饱食, 环境
    std::array<std::int32_t, kBasicAttributes> five{};

    bool operator==(const MountRecord&) const = default;
};

struct EquipmentRecord {
    std::int32_t slot = -1;           // 1..6, -1 in the spare record
    std::int32_t levelIndex = -1;     // n means level 10×n; 0 no level; -1 never set
    bool strengthened = false;        // 强化
    std::int32_t stunt = -1;          // stunt index, 0 none, -1 never set
    std::int32_t partEffects = 0;     // bit mask of part-specific effects
    std::int32_t generalEffects = 0;  // bit mask of general effects
    std::array<std::int32_t, kBasicAttributes> baseFive{};
    std::array<std::int32_t, kStatusAttributes> baseStatus{};
    std::array<std::int32_t, kBasicAttributes> addedFive{};
    std::array<std::int32_t, kBasicAttributes> meltFive{};
    std::array<std::int32_t, kStatusAttributes> meltStatus{};
    RuneSetting runes;

    bool operator==(const EquipmentRecord&) const = default;
};

// A piece as the simulator writes it when it opens: nothing set.
EquipmentRecord blankEquipment(std::int32_t slot);

struct CharacterBuild {
    std::int32_t race = 0;    // 0 人族, 1 仙族, 2 魔族
    std::int32_t school = 0;  // 0..3 within the race
    std::string server;       // UTF-8; at most kBuildTextBytes GBK bytes are stored
    std::string area;
    std::string name;
    bool ascended = true;
    std::int32_t level = 0;
    std::int32_t extraPotential = 0;
    std::array<std::int32_t, kBasicAttributes> allocated{};
    std::array<std::int32_t, kBuildSkillSlots> skillLevel{};
    std::array<std::int32_t, kAuxSkills> auxLevel{};
    bool mountOn = true;
    bool equipmentOn = true;
    MountRecord mount;
    std::array<EquipmentRecord, kEquipmentRecords> equipment{};

    CharacterBuild();
    bool operator==(const CharacterBuild&) const = default;
};

// Values that come from a file are not trusted. Loading brings them into the ranges the
// simulator offers, so no table lookup, list selection or sum can go wrong. The page values:
// race and school are clamped to 0..2 and 0..3, the level to the page's level list, extra
// potential to 0..255, skill levels to 0..190, auxiliary levels to 0..180 and each allocation
// to 0..1145 (the most potential any build has); texts are cut at 29 bytes on a character
// boundary and undecodable bytes read as U+FFFD (stored back as "?"). Pieces and the mount:
// - slot is the piece's position (-1 for the spare record);
// - levelIndex outside -1..15 and stunt outside -1..57 count as never set (-1);
// - base values are clamped to 0..999, added values to -50..50, melting to -150..150;
// - the hole count is clamped to 0..5 and a combination level index outside 0..3 counts as
//   none (-1); unknown combination and stone ids stay, since every lookup treats them as
//   absent;
// - a growth that is not a number or lies outside 0..10 counts as none (0), mount attributes
//   are clamped to 0..1200 and the carried values to 0..100.
EquipmentRecord sanitizedEquipment(EquipmentRecord piece, int position);
MountRecord sanitizedMount(MountRecord mount);

std::int32_t clampValue(std::int32_t value, std::int32_t low, std::int32_t high);

}  // namespace kalvix
