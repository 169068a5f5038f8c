#pragma once
// Where the build file format puts each field, written out independently of the codec's own
// description so the tests check the codec against the format rather than against itself.

#include <cstddef>

namespace kalvix::record_layout {

inline constexpr std::size_t kRace = 0;
inline constexpr std::size_t kSchool = 4;
inline constexpr std::size_t kServer = 8;
inline constexpr std::size_t kArea = 38;
inline constexpr std::size_t kName = 68;
inline constexpr std::size_t kTextField = 30;
inline constexpr std::size_t kAscended = 98;
inline constexpr std::size_t kFiller = 99;
inline constexpr std::size_t kLevel = 100;
inline constexpr std::size_t kExtraPotential = 104;
inline constexpr std::size_t kSkillLevel = 108;
inline constexpr std::size_t kAuxLevel = 140;
inline constexpr std::size_t kAllocated = 156;
inline constexpr std::size_t kMount = 176;
inline constexpr std::size_t kEquipment = 212;
inline constexpr std::size_t kEquipmentSize = 184;
inline constexpr std::size_t kSize = 1500;

// Offsets inside the mount block.
inline constexpr std::size_t kMountGrowth = 0;
inline constexpr std::size_t kMountCarried = 4;
inline constexpr std::size_t kMountFive = 16;

// Offsets inside one equipment record.
inline constexpr std::size_t kSlot = 0;
inline constexpr std::size_t kLevelIndex = 4;
inline constexpr std::size_t kStrengthened = 8;
inline constexpr std::size_t kStunt = 12;
inline constexpr std::size_t kPartEffects = 16;
inline constexpr std::size_t kGeneralEffects = 20;
inline constexpr std::size_t kBaseFive = 24;
inline constexpr std::size_t kBaseStatus = 44;
inline constexpr std::size_t kAddedFive = 76;
inline constexpr std::size_t kMeltFive = 96;
inline constexpr std::size_t kMeltStatus = 116;
inline constexpr std::size_t kRunes = 148;

}  // namespace kalvix::record_layout
