#pragma once
// The rich-tooltip markup of the build simulator: what a piece of equipment, the mount, a
// school skill or a rune setting amounts to. Pure functions of a record and the catalogue;
// the texts are UTF-8, while the two-column layout counts their GBK bytes.

#include <array>
#include <cstdint>
#include <string>

#include "kalvix/core/simulator/attribute_sheet.h"
#include "kalvix/core/simulator/character_build.h"

namespace kalvix {

class Catalogue;
struct RuneCombination;
struct SchoolSkillInfo;
struct StuntInfo;
struct EquipEffectInfo;

inline constexpr int kBottomPartEffects = 11;  // effect table positions 1..11

// Summary of one piece (the tooltip of its equipment button).
std::string equipmentSummary(const EquipmentRecord& piece, const Catalogue& catalogue);

// Summary of the mount: its stored attributes and their contribution mountRaw (whether or not
// the mount is switched on).
std::string mountSummary(const MountRecord& mount,
                         const std::array<std::int32_t, kBasicAttributes>& mountRaw);

// The rune summary of an editor's 符石模拟 button.
std::string runeSummary(const RuneSetting& runes, const Catalogue& catalogue);

// Tooltip of a school-skill button; empty for a row without a name.
std::string schoolSkillButtonTip(const SchoolSkillInfo& row);

// Tooltip of the level list of school-skill slot 1..8.
std::string schoolSkillLevelTip(const CharacterBuild& build, const AttributeSheet& sheet, int slot,
                                const Catalogue& catalogue);

std::string stuntTip(const StuntInfo& stunt);
std::string partEffectTip(const EquipEffectInfo& effect);
// A combination at level index 0..3 (the bottom summary and the editors).
std::string combinationTip(const RuneCombination& combination, std::int32_t levelIndex,
                           const Catalogue& catalogue);

// The bottom summary of the simulator page: texts and tooltips of the 特技, 组合技能 and
// 部件特效 fields, and the three specials.
struct BottomSummary {
    std::array<std::string, kLastPiece> stunt{};
    std::array<std::string, kLastPiece> stuntTip{};
    std::array<std::string, kLastPiece> combination{};
    std::array<std::string, kLastPiece> combinationTip{};
    std::array<std::string, kBottomPartEffects> partEffect{};
    std::array<std::string, kBottomPartEffects> partEffectTip{};
    std::array<std::int32_t, kSpecialAttributes> special{};
};

BottomSummary bottomSummary(const CharacterBuild& build, const AttributeSheet& sheet,
                            const Catalogue& catalogue);

}  // namespace kalvix
