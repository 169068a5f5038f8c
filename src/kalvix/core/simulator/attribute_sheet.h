#pragma once
// The values derived from a CharacterBuild, and the steps that compute them.

#include <array>
#include <cstdint>

#include "common/truncation.h"
#include "kalvix/core/simulator/character_build.h"

namespace kalvix {

using common::truncToInt;

class Catalogue;

// What one piece of equipment contributes, stone bonuses included.
struct PieceContribution {
    std::array<std::int32_t, kBasicAttributes> five{};
    std::array<std::int32_t, kStatusAttributes> status{};
    std::array<std::int32_t, kSpecialAttributes> special{};

    bool operator==(const PieceContribution&) const = default;
};

struct AttributeSheet {
    // Per piece (index 0 stays 0); recomputed only when a piece is replaced or a build loaded.
    std::array<PieceContribution, kEquipmentRecords> piece{};
    std::array<std::int32_t, kBasicAttributes> equipFive{};
    std::array<std::int32_t, kStatusAttributes> equipStatus{};
    std::array<std::int32_t, kSpecialAttributes> special{};
    std::array<std::int32_t, kBuildSkillSlots> extraSkillLevel{};
    // Recomputed only when the mount is replaced or a build loaded.
    std::array<std::int32_t, kBasicAttributes> mountRaw{};
    std::array<std::int32_t, kBasicAttributes> mountFive{};
    std::array<std::int32_t, kBasicAttributes> raceBase{};
    std::array<std::int32_t, kBasicAttributes> total{};
    std::array<std::int32_t, kStatusAttributes> pointStatus{};
    std::array<std::int32_t, kBuildSkillSlots> skillBonus{};
    std::array<std::int32_t, kStatusAttributes> finalStatus{};
    std::int32_t vigour = 0;   // 活力
    std::int32_t stamina = 0;  // 体力
    std::int32_t potentialBase = 0;
    std::int32_t remainingPotential = 0;  // 潜力; may be negative

    bool operator==(const AttributeSheet&) const = default;
};

// Step 1: base + added + melting, then each stone of holes 1..holeCount added as a real and
// truncated.
PieceContribution pieceContribution(const EquipmentRecord& piece, const Catalogue& catalogue);

// Step 3 before the 坐骑 switch: trunc(trunc(m ÷ d) × growth) per attribute.
std::array<std::int32_t, kBasicAttributes> mountContribution(const MountRecord& mount);

// Step 4: the race's starting points (race 0..2; other values give 人族's).
std::array<std::int32_t, kBasicAttributes> raceBasePoints(std::int32_t race);

// Step 6: 气血 … 灵力 from the five totals alone.
std::array<std::int32_t, kStatusAttributes> statusFromPoints(
    std::int32_t race, const std::array<std::int32_t, kBasicAttributes>& total);

// Steps 2 and 4 to 10, from the per-piece and mount contributions already in the sheet. The
// build's values are those BuildSimulator keeps in range; far larger ones could overflow.
void recalculate(const CharacterBuild& build, AttributeSheet& sheet, const Catalogue& catalogue);

}  // namespace kalvix
