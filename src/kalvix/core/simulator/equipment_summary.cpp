// Equipment, mount and rune summaries.

#include <string_view>

#include "common/gbk.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_summary.h"

namespace kalvix {
namespace {

constexpr std::string_view kSpacing =
    "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

constexpr std::array<const char*, kStatusAttributes> kStatusNames{"气血", "魔法", "命中", "伤害",
                                                                  "防御", "速度", "躲避", "灵力"};
constexpr std::array<const char*, kBasicAttributes> kFiveNames{"体质", "魔力", "力量", "耐力",
                                                               "敏捷"};
// The order in which the summaries list the status attributes.
constexpr std::array<int, kStatusAttributes> kStatusOrder{kHurt, kDefence, kHP,    kMP,
                                                          kHit,  kSpeed,   kDodge, kAnima};

std::string item(const char* name, std::int32_t value) {
    return std::string(name) + "&nbsp;+" + std::to_string(value);
}

// Items two per line: the first of a pair is padded so the second starts near the same column
// (two non-breaking spaces per GBK byte short of 15), the second ends the line.
class TwoColumns {
  public:
    void place(std::string t, bool red = false) {
        ++count_;
        if (count_ % 2 == 1) {
            const long bytes = (15 - static_cast<long>(common::gbkLength(t))) * 12;
            if (bytes > 0)
                t += kSpacing.substr(0, static_cast<std::size_t>(bytes) < kSpacing.size()
                                            ? static_cast<std::size_t>(bytes)
                                            : kSpacing.size());
        } else {
            t += "<br>";
        }
        text_ += red ? "<font color=red>" + t + "</font>" : t;
    }
    int count() const { return count_; }
    bool odd() const { return count_ % 2 == 1; }
    std::string& text() { return text_; }

  private:
    int count_ = 0;
    std::string text_;
};

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    std::size_t at = 0;
    while ((at = s.find(from, at)) != std::string::npos) {
        s.replace(at, from.size(), to);
        at += to.size();
    }
}

void placeSigned(TwoColumns& columns, const char* name, std::int32_t value) {
    if (value != 0)
        columns.place(item(name, value), value < 0);
}

std::string baseSection(const EquipmentRecord& piece) {
    std::string section;
    if (piece.levelIndex > 0)
        section = "等级&nbsp;&nbsp;" + std::to_string(std::int64_t{piece.levelIndex} * 10) + "<br>";
    TwoColumns columns;
    for (int j : kStatusOrder)
        if (piece.baseStatus[j] != 0)
            columns.place(item(kStatusNames[j], piece.baseStatus[j]));
    for (int k = 0; k < kBasicAttributes; ++k)
        if (piece.baseFive[k] != 0)
            columns.place(item(kFiveNames[k], piece.baseFive[k]));
    section += columns.text();
    if (columns.odd())
        section += "<br>";
    if (section.empty())
        return {};
    return "<hr color=blue><br><i><font color=green>基础属性</font></i><br><font color=orange>" +
           section + "</font>";
}

std::string addedSection(const EquipmentRecord& piece) {
    TwoColumns columns;
    for (int k = 0; k < kBasicAttributes; ++k)
        placeSigned(columns, kFiveNames[k], piece.addedFive[k]);
    if (columns.text().empty())
        return {};
    std::string section =
        "<hr color=blue><br><i><font color=green>附加属性</font></i><br><font color=blue>" +
        columns.text() + "</font>";
    if (columns.odd())
        section += "<br>";
    return section;
}

std::string meltingSection(const EquipmentRecord& piece) {
    TwoColumns columns;
    for (int j : kStatusOrder)
        placeSigned(columns, kStatusNames[j], piece.meltStatus[j]);
    for (int k = 0; k < kBasicAttributes; ++k)
        placeSigned(columns, kFiveNames[k], piece.meltFive[k]);
    if (columns.text().empty())
        return {};
    std::string section =
        "<hr color=blue><br><i><font color=green>熔炼效果</font></i><br><font color=#FF00FF>" +
        columns.text();
    if (columns.odd())
        section += "<br>";
    return section;
}

std::string effectNames(const Catalogue& catalogue, std::int32_t slot, std::int32_t mask,
                        bool general) {
    std::string names;
    for (int position = kFirstEquipEffect; position < kEquipEffectSlots; ++position) {
        const EquipEffectInfo* effect = catalogue.effect(position);
        if (!effect)
            continue;
        const std::int32_t bit = Catalogue::effectMaskBit(effect->indexInSlot);
        const bool belongs =
            general ? effect->slot == -1 : effect->slot != -1 && effect->slot == slot;
        if (bit == 0 || !belongs || (mask & bit) == 0)
            continue;
        if (!names.empty())
            names += ",";
        names += effect->name;
    }
    return names;
}

std::string stuntAndEffectSection(const EquipmentRecord& piece, const Catalogue& catalogue) {
    std::string section;
    if (piece.stunt > 0) {
        if (const StuntInfo* stunt = catalogue.stunt(piece.stunt))
            section += "特技：" + stunt->name + "<br>";
    }
    if (piece.partEffects != 0)
        section +=
            "部件特效：" + effectNames(catalogue, piece.slot, piece.partEffects, false) + "<br>";
    if (piece.generalEffects != 0)
        section +=
            "通用特效：" + effectNames(catalogue, piece.slot, piece.generalEffects, true) + "<br>";
    if (section.empty())
        return {};
    return "<hr color=blue><br><i><font color=green>特技特效</font></i><br><font color=aqua>" +
           section;
}

int holeCount(const RuneSetting& runes) {
    return clampValue(runes.holeCount, 0, kMaxRuneHoles);
}

const RuneStone* stoneOf(const Catalogue& catalogue, std::int32_t id) {
    const int slot = catalogue.FindRuneStone(id);
    return slot < 0 ? nullptr : &catalogue.runeStones[slot];
}

const RuneCombination* combinationOf(const Catalogue& catalogue, std::int32_t id) {
    const int slot = catalogue.FindRuneCombination(id);
    return slot < 1 ? nullptr : &catalogue.runeCombinations[slot];
}

std::string runeSection(const EquipmentRecord& piece, const Catalogue& catalogue) {
    const RuneSetting& runes = piece.runes;
    std::string section;
    bool anyStone = false;
    for (int i = 1; i <= holeCount(runes); ++i) {
        const RuneStone* stone = stoneOf(catalogue, runes.stoneIds[i - 1]);
        anyStone = anyStone || stone;
        section += "符石" + std::to_string(i) + ": " +
                   (stone ? catalogue.RuneStoneEffectText(*stone) : std::string("未镶嵌")) + "<br>";
    }
    if (!anyStone)
        return {};
    if (const RuneCombination* c = combinationOf(catalogue, runes.combinationId))
        section += "<font color=blue>组合技能：【" + c->name + "】(" +
                   std::to_string(std::int64_t{runes.combinationLevelIndex} + 1) + "级)<br></font>";
    else
        section += "<font color=blue>组合技能：无</font><br>";
    return "<hr color=blue><br><i><font color=green>符石镶嵌</font></i><br><font color=purple>" +
           section + "</font>";
}

}  // namespace

std::string equipmentSummary(const EquipmentRecord& piece, const Catalogue& catalogue) {
    std::string out = "<table width=40><tr><td width=30>";
    out += "<h4 align=center>" + catalogue.enumName(kEnumEquipSlot, piece.slot) + "</h4><br>";
    out += baseSection(piece);
    out += addedSection(piece);
    out += meltingSection(piece);
    out += stuntAndEffectSection(piece, catalogue);
    out += runeSection(piece, catalogue);
    out += "</td></tr></table>";
    // A negative value reads "-5", not "+-5".
    replaceAll(out, "+-", "-");
    return out;
}

std::string mountSummary(const MountRecord& mount,
                         const std::array<std::int32_t, kBasicAttributes>& mountRaw) {
    TwoColumns stored;
    TwoColumns gained;
    for (int k = 0; k < kBasicAttributes; ++k) {
        if (mount.five[k] == 0)
            continue;
        stored.place(item(kFiveNames[k], mount.five[k]));
        gained.place(item(kFiveNames[k], mountRaw[k]));
    }
    if (stored.odd())
        stored.text() += "<br>";
    if (stored.text().empty())
        return "<h3>坐骑</h3>";
    return "<h3>坐骑</h3><br><hr color=blue><br><i><font color=green>坐骑属性</font></i><br>"
           "<font color=blue>" +
           stored.text() +
           "</font><hr color=blue><br><i><font color=green>属性加成</font></i><br>"
           "<font color=#FF00FF>" +
           gained.text() + "</font>";
}

std::string runeSummary(const RuneSetting& runes, const Catalogue& catalogue) {
    std::string text;
    if (const RuneCombination* c = combinationOf(catalogue, runes.combinationId))
        text = "<font color=#FF00FF>组合技能：【" + c->name + "】(" +
               std::to_string(std::int64_t{runes.combinationLevelIndex} + 1) + "级)<br></font>";
    else
        text = "<font color=#FF00FF>组合技能：无</font><br>";
    bool anyStone = false;
    std::string icons;
    for (int i = 1; i <= holeCount(runes); ++i) {
        const RuneStone* stone = stoneOf(catalogue, runes.stoneIds[i - 1]);
        if (stone) {
            anyStone = true;
            text += "【" + stone->name + "】: " + catalogue.RuneStoneEffectText(*stone) + "<br>";
        } else {
            text += "符石" + std::to_string(i) + ": 未镶嵌<br>";
        }
        icons += "<icon idres=" + std::to_string(stone ? stone->id : kEmptyHoleIcon) +
                 " width=48 height=48>";
    }
    if (!anyStone)
        return "<h2>符石模拟</h2>";
    return "<h2 align=vcenter><font color=green>符石镶嵌</font></h2><br><hr color=orange><br>"
           "<font color=purple>" +
           text + icons + "</font>";
}

}  // namespace kalvix
