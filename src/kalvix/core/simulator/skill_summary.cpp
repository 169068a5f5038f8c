// School-skill tooltips and the bottom summary of the simulator page.

#include <string_view>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/catalogue/school_skill_bonus.h"
#include "kalvix/core/simulator/build_summary.h"

namespace kalvix {
namespace {

constexpr std::array<const char*, kStatusAttributes> kBonusNames{"气血", "魔法", "命中", "伤害",
                                                                 "防御", "速度", "躲避", "灵力"};

constexpr int kDaTang = 11;  // 大唐官府
constexpr int kPanSi = 34;   // 盘丝洞

std::string orNone(const std::string& text) {
    return text.empty() ? std::string("无") : text;
}

std::string bonusLine(int slot, std::int32_t value) {
    return std::string("<br><font color=blue>属性加成：</font>") + kBonusNames[slot - 1] + "　+" +
           std::to_string(value);
}

void eraseAll(std::string& s, std::string_view what) {
    std::size_t at = 0;
    while ((at = s.find(what, at)) != std::string::npos)
        s.erase(at, what.size());
}

}  // namespace

std::string schoolSkillButtonTip(const SchoolSkillInfo& row) {
    if (row.name.empty())
        return {};
    return "<table><tr><td><h3>门派技能：【" + row.name +
           "】</h3><br><hr color=green><br><font color=blue>技能效果：</font>" +
           orNone(row.effect) + "<br><font color=blue>包含法术：</font>" + orNone(row.techniques) +
           "</td></tr></table>";
}

std::string schoolSkillLevelTip(const CharacterBuild& build, const AttributeSheet& sheet, int slot,
                                const Catalogue& catalogue) {
    if (slot < 1 || slot > kBuildSkillSlots)
        return {};
    const SchoolSkillInfo* row = catalogue.schoolSkill(build.race, build.school, slot);
    std::string tip = "<h3>" + (row ? row->name : std::string()) +
                      "</h3><br><hr color=green><br><font color=blue>技能等级：</font>" +
                      std::to_string(build.skillLevel[slot - 1]);
    const std::int32_t extra = sheet.extraSkillLevel[slot - 1];
    if (extra > 0)
        tip += "<font color=red>+" + std::to_string(extra) + "</font>";

    const bool known = build.race >= 0 && build.race < kRaces && build.school >= 0 &&
                       build.school < kSchoolsPerRace;
    const int school = known ? (build.race + 1) * 10 + build.school + 1 : 0;
    const std::int32_t hit = sheet.skillBonus[2];
    std::int32_t value = sheet.skillBonus[slot - 1];
    if (slot == 4) {
        // The damage bonus shown leaves out the share that comes from the hit bonus.
        if (school == kDaTang)
            value = value - hit / 3;
        else if (school == kPanSi)
            value = truncToInt(value - hit / 8.3);
    }
    if (value > 0 || slot == 5) {
        tip += bonusLine(slot, value);
        if (slot == 3) {
            const std::int32_t share = schoolSkillHitShare(build.race, build.school, hit);
            if (share > 0)
                tip += ",伤害　+" + std::to_string(share);
        }
    }
    return tip;
}

std::string stuntTip(const StuntInfo& stunt) {
    return "<table><tr><td><h3>特技：【" + stunt.name + "】</h3><br><hr color=green><br>" +
           stunt.description + "</td></tr></table>";
}

std::string partEffectTip(const EquipEffectInfo& effect) {
    return "<table><tr><td><h3>部件特效：【" + effect.name + "】</h3><br><hr color=green><br>" +
           effect.description + "</td></tr></table>";
}

std::string combinationTip(const RuneCombination& combination, std::int32_t levelIndex,
                           const Catalogue& catalogue) {
    const std::int64_t level = std::int64_t{levelIndex} + 1;
    // A level the table does not have reads "x"/"y", whatever its number.
    const int textLevel = level >= 1 && level <= kRuneLevels ? static_cast<int>(level) : 0;
    return "<table><tr><td><h3>组合技能：【" + combination.name +
           "】</h3><br><hr color=green><br>技能等级：" + std::to_string(level) +
           "级<br>技能效果：" + Catalogue::RuneCombinationEffectText(combination, textLevel) +
           "<br>门派限制：" + catalogue.enumName(kEnumSchool, combination.school) +
           "<br>触发位置：" + catalogue.enumName(kEnumEquipSlot, combination.slot) +
           "</td></tr></table>";
}

BottomSummary bottomSummary(const CharacterBuild& build, const AttributeSheet& sheet,
                            const Catalogue& catalogue) {
    BottomSummary summary;
    summary.special = sheet.special;
    if (!build.equipmentOn)
        return summary;
    for (int p = kFirstPiece; p <= kLastPiece; ++p) {
        const EquipmentRecord& piece = build.equipment[p];
        if (piece.stunt > 0) {
            if (const StuntInfo* stunt = catalogue.stunt(piece.stunt)) {
                summary.stunt[p - 1] = stunt->name;
                summary.stuntTip[p - 1] = stuntTip(*stunt);
            }
        }
        const int slot = catalogue.FindRuneCombination(piece.runes.combinationId);
        const std::int32_t levelIndex = piece.runes.combinationLevelIndex;
        if (slot >= 1 && levelIndex >= 0) {
            const RuneCombination& c = catalogue.runeCombinations[slot];
            std::string text = c.name + "(" + std::to_string(std::int64_t{levelIndex} + 1) + ")";
            eraseAll(text, "符石");
            summary.combination[p - 1] = text;
            summary.combinationTip[p - 1] = combinationTip(c, levelIndex, catalogue);
        }
    }
    for (int position = 1; position <= kBottomPartEffects; ++position) {
        const EquipEffectInfo* effect = catalogue.effect(position);
        if (!effect || effect->slot < kFirstPiece || effect->slot > kLastPiece)
            continue;
        const std::int32_t bit = Catalogue::effectMaskBit(effect->indexInSlot);
        if (bit != 0 && (build.equipment[effect->slot].partEffects & bit) != 0) {
            summary.partEffect[position - 1] = effect->name;
            summary.partEffectTip[position - 1] = partEffectTip(*effect);
        }
    }
    return summary;
}

}  // namespace kalvix
