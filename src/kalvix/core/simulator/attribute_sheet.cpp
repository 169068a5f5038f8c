// The attribute formulas of the build simulator. Integers are 32-bit with division toward zero;
// real expressions are evaluated in double precision in exactly the order the game uses, since
// results such as 40.99999999999999 must stay below 41.

#include "kalvix/core/simulator/attribute_sheet.h"

#include <cmath>
#include <limits>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/catalogue/school_skill_bonus.h"

namespace kalvix {

PieceContribution pieceContribution(const EquipmentRecord& piece, const Catalogue& catalogue) {
    PieceContribution c;
    for (int k = 0; k < kBasicAttributes; ++k)
        c.five[k] = piece.baseFive[k] + piece.addedFive[k] + piece.meltFive[k];
    for (int j = 0; j < kStatusAttributes; ++j)
        c.status[j] = piece.baseStatus[j] + piece.meltStatus[j];
    const int holes = clampValue(piece.runes.holeCount, 0, kMaxRuneHoles);
    for (int h = 0; h < holes; ++h) {
        const int slot = catalogue.FindRuneStone(piece.runes.stoneIds[h]);
        if (slot < 0)
            continue;
        const RuneStone& stone = catalogue.runeStones[slot];
        const double basic = stone.basicValue;
        const double status = stone.statusValue;
        const std::int32_t b = stone.basicAttribute;
        const std::int32_t s = stone.statusAttribute;
        if (b >= 1 && b <= kBasicAttributes)
            c.five[b - 1] = truncToInt(c.five[b - 1] + basic);
        if (s >= 1 && s <= kStatusAttributes) {
            c.status[s - 1] = truncToInt(c.status[s - 1] + status);
        } else if (s >= 9 && s <= 11) {
            c.special[s - 9] = truncToInt(c.special[s - 9] + status);
        }
    }
    return c;
}

std::array<std::int32_t, kBasicAttributes> mountContribution(const MountRecord& mount) {
    static constexpr std::array<double, kBasicAttributes> divisor{28.8, 37.5, 31.25, 31.25, 33.3};
    const double growth = mount.growth;
    std::array<std::int32_t, kBasicAttributes> raw{};
    for (int k = 0; k < kBasicAttributes; ++k) {
        const double points = truncToInt(mount.five[k] / divisor[k]);
        raw[k] = truncToInt(points * growth);
    }
    return raw;
}

std::array<std::int32_t, kBasicAttributes> raceBasePoints(std::int32_t race) {
    switch (race) {
        case 1:
            return {12, 5, 11, 12, 10};
        case 2:
            return {12, 11, 11, 8, 8};
        default:
            return {10, 10, 10, 10, 10};
    }
}

std::array<std::int32_t, kStatusAttributes> statusFromPoints(
    std::int32_t race, const std::array<std::int32_t, kBasicAttributes>& total) {
    const std::int32_t T = total[0];
    const std::int32_t M = total[1];
    const std::int32_t S = total[2];
    const std::int32_t E = total[3];
    const std::int32_t A = total[4];
    std::array<std::int32_t, kStatusAttributes> st{};
    switch (race) {
        case 1:  // 仙族
            st[kHP] = truncToInt(T * 4.5 + 100.0);
            st[kMP] = truncToInt(M * 3.5 + 80.0);
            st[kHit] = truncToInt(S * 1.7 + 30.0);
            st[kHurt] = (S * 17) / 30 + 40;
            st[kDefence] = truncToInt(E * 1.6);
            break;
        case 2:  // 魔族
            st[kHP] = T * 6 + 100;
            st[kMP] = truncToInt(M * 2.5 + 80.0);
            st[kHit] = truncToInt(S * 2.3 + 30.0);
            st[kHurt] = (S * 23) / 30 + 40;
            st[kDefence] = truncToInt(E * 1.4);
            break;
        default:  // 人族
            st[kHP] = (T + 20) * 5;
            st[kMP] = M * 3 + 80;
            st[kHit] = S * 2 + 30;
            st[kHurt] = (S * 2) / 3 + 40;
            st[kDefence] = truncToInt(E * 1.5);
            break;
    }
    st[kSpeed] = truncToInt(T * 0.1 + E * 0.1 + S * 0.1 + A * 0.7);
    st[kDodge] = A + 10;
    st[kAnima] = truncToInt(M * 0.7 + T * 0.3 + E * 0.2 + S * 0.4);
    return st;
}

namespace {

// Step 2: the equipment sums with the rune-combination bonuses.
void sumEquipment(const CharacterBuild& build, AttributeSheet& sheet, const Catalogue& catalogue) {
    sheet.equipFive = {};
    sheet.equipStatus = {};
    sheet.special = {};
    sheet.extraSkillLevel = {};
    if (!build.equipmentOn)
        return;
    std::array<std::int32_t, kBasicAttributes> comboFive{};
    std::array<std::int32_t, kStatusAttributes> comboStatus{};
    for (int p = kFirstPiece; p <= kLastPiece; ++p) {
        const PieceContribution& c = sheet.piece[p];
        for (int k = 0; k < kBasicAttributes; ++k)
            sheet.equipFive[k] += c.five[k];
        for (int j = 0; j < kStatusAttributes; ++j)
            sheet.equipStatus[j] += c.status[j];
        for (int x = 0; x < kSpecialAttributes; ++x)
            sheet.special[x] += c.special[x];
    }
    for (int p = kFirstPiece; p <= kLastPiece; ++p) {
        const RuneSetting& runes = build.equipment[p].runes;
        const int slot = catalogue.FindRuneCombination(runes.combinationId);
        const std::int32_t level = runes.combinationLevelIndex;
        if (slot < 1 || level < 0 || level >= kRuneLevels)
            continue;
        const RuneCombination& combo = catalogue.runeCombinations[slot];
        const double v = combo.values[level][0];
        const std::int32_t s = combo.statusAttribute;
        const std::int32_t b = combo.basicAttribute;
        const std::int32_t n = combo.schoolSkill;
        if (s >= 1 && s <= kStatusAttributes)
            comboStatus[s - 1] += truncToInt(v);
        if (b >= 1 && b <= kBasicAttributes)
            comboFive[b - 1] += truncToInt(v);
        // The number names a slot of the character's own school, whichever school the
        // combination belongs to.
        if (n >= 1 && n <= kBuildSkillSlots)
            sheet.extraSkillLevel[n - 1] = truncToInt(sheet.extraSkillLevel[n - 1] + v);
    }
    for (int k = 0; k < kBasicAttributes; ++k)
        sheet.equipFive[k] += comboFive[k];
    for (int j = 0; j < kStatusAttributes; ++j)
        sheet.equipStatus[j] += comboStatus[j];
}

}  // namespace

void recalculate(const CharacterBuild& build, AttributeSheet& sheet, const Catalogue& catalogue) {
    sumEquipment(build, sheet, catalogue);

    for (int k = 0; k < kBasicAttributes; ++k)
        sheet.mountFive[k] = build.mountOn ? sheet.mountRaw[k] : 0;

    sheet.raceBase = raceBasePoints(build.race);
    for (int k = 0; k < kBasicAttributes; ++k)
        sheet.total[k] = sheet.raceBase[k] + build.level + build.allocated[k] + sheet.equipFive[k] +
                         sheet.mountFive[k];

    sheet.pointStatus = statusFromPoints(build.race, sheet.total);

    sheet.potentialBase = 5 * (build.level + 1) + (build.ascended ? 10 : 0);
    std::int32_t spent = 0;
    for (std::int32_t a : build.allocated)
        spent += a;
    sheet.remainingPotential = sheet.potentialBase + build.extraPotential - spent;

    std::array<std::int32_t, kSchoolSkillSlots> levels{};
    for (int n = 0; n < kBuildSkillSlots; ++n)
        levels[n] = build.skillLevel[n] + sheet.extraSkillLevel[n];
    const auto bonus = schoolSkillBonuses(build.race, build.school, levels, sheet.pointStatus[kHP],
                                          sheet.pointStatus[kMP]);
    for (int n = 0; n < kBuildSkillSlots; ++n)
        sheet.skillBonus[n] = bonus[n];

    const auto& ps = sheet.pointStatus;
    const auto& es = sheet.equipStatus;
    const auto& sb = sheet.skillBonus;
    auto& fs = sheet.finalStatus;
    fs[kHP] = truncToInt((ps[kHP] + es[kHP]) * (build.auxLevel[kStrong] * 0.01 + 1.0) + sb[0]);
    fs[kMP] = truncToInt((ps[kMP] + es[kMP]) * (build.auxLevel[kMeditate] * 0.01 + 1.0) + sb[1]);
    fs[kHit] = es[kHit] + ps[kHit] + sb[2];
    // A third of the equipment's 命中 counts as 伤害.
    fs[kHurt] = es[kHit] / 3 + es[kHurt] + ps[kHurt] + sb[3];
    fs[kDefence] = es[kDefence] + ps[kDefence] + sb[4];
    fs[kSpeed] = es[kSpeed] + ps[kSpeed] + sb[5];
    fs[kDodge] = es[kDodge] + ps[kDodge] + sb[6];
    fs[kAnima] = es[kAnima] + ps[kAnima] + sb[7];

    sheet.vigour = (build.level + 10) * 5 + build.auxLevel[kNurture] * 4;
    sheet.stamina = (build.level + 10) * 5 + build.auxLevel[kFitness] * 4;
}

}  // namespace kalvix
