#include "kalvix/core/simulator/rune_page.h"

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_summary.h"

namespace kalvix {
namespace {

const char* const kColourNames[7] = {"红", "黄", "绿", "蓝", "白", "黑", "紫"};
constexpr int kColours = 7;
constexpr int kMaxHoles = 5;
const char* const kNotSet = "未镶嵌";

const std::pair<std::int32_t, const char*> kSlotItems[] = {
    {-1, "不限"}, {1, "武器"}, {2, "铠甲/女衣"}, {3, "头盔/发钗"},
    {4, "项链"},  {5, "腰带"}, {6, "靴"},
};

const std::pair<std::int32_t, const char*> kSchoolItems[] = {
    {-1, "不限"},        {11, "人族-大唐官府"}, {12, "人族-化生寺"}, {13, "人族-方寸山"},
    {14, "人族-女儿村"}, {21, "仙族-天宫"},     {22, "仙族-龙宫"},   {23, "仙族-五庄观"},
    {24, "仙族-普陀山"}, {31, "魔族-狮驼岭"},   {32, "魔族-魔王寨"}, {33, "魔族-阴曹地府"},
    {34, "魔族-盘丝洞"},
};

std::vector<std::string> levelItems(int count) {
    std::vector<std::string> items;
    for (int i = 1; i <= count; ++i)
        items.push_back(std::to_string(i) + "级");
    return items;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

// --- KeyedList

void KeyedList::clear() {
    items_.clear();
    selected_ = -1;
}

bool KeyedList::add(std::int32_t key, std::string text) {
    if (size() >= kMaxItems)
        return false;
    items_.emplace_back(key, std::move(text));
    return true;
}

std::int32_t KeyedList::currentKey() const {
    return selected_ >= 0 && selected_ < size() ? keyAt(selected_) : -1;
}

void KeyedList::selectKey(std::int32_t key) {
    selected_ = -1;
    for (int i = 0; i < size(); ++i)
        if (keyAt(i) == key) {
            selected_ = i;
            return;
        }
}

void KeyedList::selectPosition(int position) {
    selected_ = position >= 0 && position < size() ? position : -1;
}

std::vector<std::string> KeyedList::texts() const {
    std::vector<std::string> out;
    out.reserve(items_.size());
    for (const auto& item : items_)
        out.push_back(item.second);
    return out;
}

// --- RunePage

const char* const RunePage::kHoleCostTip =
    "<table cellspacing='2' align='center'><tbody><tr><td><strong>装备等级 </strong></td><td>"
    "<strong>最大开运孔数 </strong></td><td><strong>消耗体力 </strong></td><td><strong>消耗金钱 "
    "</strong></td></tr><tr><td>0-30</td><td align='center'>1</td><td align='center'>10</td><td "
    "align='center'>100000</td></tr><tr><td>40-60</td><td align='center'>2</td><td "
    "align='center'>20</td><td align='center'>200000</td></tr><tr><td>70-90</td><td "
    "align='center'>3</td><td align='center'>30</td><td align='center'>300000</td></tr><tr><td>"
    "100-120</td><td align='center'>4</td><td align='center'>40</td><td "
    "align='center'>400000</td></tr><tr><td>130-150</td><td align='center'>5</td><td "
    "align='center'>50</td><td align='center'>500000</td></tr></tbody></table>";

std::string RunePage::rowCaption(int row) {
    return "符石" + std::to_string(row + 1);
}

std::string RunePage::stoneTip(const RuneStone& stone, const std::string& bonus) {
    const std::int64_t experience = std::int64_t{stone.level} * 100000 - 50000;
    const std::int64_t stamina = std::int64_t{stone.level} * 10 - 5;
    return "<table><tr><td valign=vcenter><icon idres=" + std::to_string(stone.id) +
           " width=48 height=48></td><td><center><h2>【" + stone.name +
           "】</h2><br><hr color=blue></center><br><font color=orange>" + bonus +
           "</font></td></tr><tr><td colspan=2><b><font color=green>激活符石消耗</font></b><br>"
           "经验：" +
           std::to_string(experience) + "<br>体力：" + std::to_string(stamina) +
           "</td></tr></table>";
}

RunePage::RunePage(PageContext& context, RuneSetting* lastSetting)
    : catalogue_(context.catalogue()), last_(lastSetting ? lastSetting : &ownLast_) {
    addList(
        "装备位置", "comboSlot", [this] { return slots_.texts(); },
        [this] { return slots_.selected(); }, [this](int i) { chooseSlot(i); })
        .enabled = [this] { return slotEnabled_; };
    addList(
        "开运孔数", "comboHoles", [] { return numberItems(0, kMaxHoles); },
        [this] { return holes_; }, [this](int i) { chooseHoles(i); })
        .output = true;
    addList(
        "门派", "comboSchool", [this] { return schools_.texts(); },
        [this] { return schools_.selected(); }, [this](int i) { chooseSchool(i); })
        .enabled = [this] { return schoolEnabled_; };
    Control& combo = addList(
        "组合技能", "comboCombination", [this] { return combinations_.texts(); },
        [this] { return combinations_.selected(); }, [this](int i) { chooseCombination(i); });
    combo.output = true;
    Control& comboLevel = addList(
        "组合技能等级", "comboCombinationLevel", [] { return levelItems(kRuneLevels); },
        [this] { return comboLevel_; }, [](int) {});
    comboLevel.output = true;
    comboLevel.enabled = [] { return false; };

    for (int r = 0; r < kRows; ++r) {
        const std::string cap = rowCaption(r);
        const std::string n = std::to_string(r + 1);
        auto on = [this, r] { return rows_[r].enabled; };
        addLabel(cap, "labelRune" + n, [cap] { return cap; }).enabled = on;
        Control& colour = addList(
            cap + ".颜色", "comboColour" + n,
            [] { return std::vector<std::string>(kColourNames, kColourNames + kColours); },
            [this, r] { return rows_[r].colour; }, [this, r](int i) { chooseColour(r, i); });
        colour.enabled = on;
        colour.output = true;
        Control& stone = addList(
            cap + ".符石", "comboStone" + n, [this, r] { return rows_[r].stones.texts(); },
            [this, r] { return rows_[r].stones.selected(); },
            [this, r](int i) { chooseStone(r, i); });
        stone.enabled = on;
        stone.output = true;
        Control& level = addList(
            cap + ".等级", "comboStoneLevel" + n, [] { return levelItems(3); },
            [this, r] { return rows_[r].level; }, [](int) {});
        level.output = true;
        level.enabled = [] { return false; };
        addResult(cap + ".效果", "editStoneEffect" + n, [this, r] {
            return rows_[r].bonus;
        }).enabled = on;
        addLabel(cap + ".图标", "buttonIcon" + n, [this, r] {
            return std::to_string(rows_[r].icon);
        }).picture = [this, r] { return rows_[r].icon; };
    }
    addResult("符石效果", "editCombinationEffect", [this] { return effect_; });
    addButton("确定", "buttonOk", [this] { confirm(); });
    addButton("取消", "buttonCancel", [this] { cancel(); });

    // Start-up: empty holes, the lists filled, "5" holes, nothing chosen.
    for (const auto& [key, text] : kSlotItems)
        slots_.add(key, text);
    slots_.selectKey(-1);
    refillHoles();
    for (const auto& [key, text] : kSchoolItems)
        schools_.add(key, text);
    schools_.selectKey(-1);
    refillCombinations();
}

void RunePage::SetPreset(std::int32_t slot, std::int32_t school, const RuneSetting& setting) {
    editorMode_ = true;
    presetSlot_ = slot;
    presetSchool_ = school;
    working_ = setting;
    *last_ = setting;
    loadPreset();
}

std::string RunePage::tip(const std::string& caption) const {
    if (caption == "开运孔数")
        return kHoleCostTip;
    if (caption == "组合技能" || caption == "符石效果")
        return comboTip_;
    for (int r = 0; r < kRows; ++r) {
        const std::string cap = rowCaption(r);
        if (caption == cap + ".符石" || caption == cap + ".效果" || caption == cap + ".图标")
            return rows_[r].tip;
    }
    return {};
}

// --- user actions

void RunePage::chooseSlot(int position) {
    if (!slotEnabled_ || position < 0 || position >= slots_.size())
        return;
    slots_.selectPosition(position);
    refillHoles();
    refillCombinations();
}

void RunePage::chooseHoles(int position) {
    if (position < 0 || position > kMaxHoles)
        return;
    holes_ = position;
    holeCountChanged();
}

void RunePage::chooseSchool(int position) {
    if (!schoolEnabled_ || position < 0 || position >= schools_.size())
        return;
    schools_.selectPosition(position);
    refillCombinations();
}

void RunePage::chooseCombination(int position) {
    if (position < 0 || position >= combinations_.size())
        return;
    combinations_.selectPosition(position);
    combinationChosen();
}

void RunePage::chooseColour(int row, int colour) {
    if (row < 0 || row >= kRows || !rows_[row].enabled || colour < 0 || colour >= kColours)
        return;
    rows_[row].colour = colour;
    refillStones(row);
    colourMatch();
}

void RunePage::chooseStone(int row, int position) {
    if (row < 0 || row >= kRows || !rows_[row].enabled || position < 0 ||
        position >= rows_[row].stones.size())
        return;
    rows_[row].stones.selectPosition(position);
    stoneChosen(row, true);
}

void RunePage::confirm() {
    if (editorMode_) {
        working_.holeCount = holes_;
        const RuneCombination* combination = chosenCombination();
        working_.combinationId = combination ? combination->id : -1;
        working_.combinationLevelIndex = comboLevel_;
        for (int r = 0; r < kRows; ++r) {
            const std::int32_t key = rows_[r].stones.currentKey();
            working_.stoneIds[static_cast<std::size_t>(r)] =
                key >= 1 && key < kRuneStoneSlots ? catalogue_.runeStones[key].id : -1;
        }
        *last_ = working_;
    }
    close(Outcome::Confirmed);
}

void RunePage::cancel() {
    close(Outcome::Cancelled);
}

void RunePage::close(Outcome outcome) {
    outcome_ = outcome;
    closeWindow(outcome == Outcome::Confirmed);
}

// --- the dialog's rules

void RunePage::refillHoles() {
    const int remembered = holes_;
    if (remembered >= 0 && remembered <= kMaxHoles) {
        holes_ = remembered;
        return;
    }
    holes_ = kMaxHoles;
    holeCountChanged();
}

void RunePage::holeCountChanged() {
    refillCombinations();
    for (int r = 0; r < kRows; ++r)
        rows_[r].enabled = r < holes_;
}

void RunePage::refillCombinations() {
    const std::int32_t remembered = combinations_.currentKey();
    combinations_.clear();
    std::int32_t usable = 0;
    for (int level = 1; level <= holes_ - 1; ++level)
        usable |= std::int32_t{1} << level;
    combinations_.add(-1, "无");
    const std::int32_t slot = slots_.currentKey();
    const std::int32_t school = schools_.currentKey();
    for (int k = 1; k < kRuneCombinationSlots; ++k) {
        const RuneCombination& c = catalogue_.runeCombinations[k];
        if ((c.levelMask & usable) == 0)
            continue;
        if (slot != -1 && c.slot != -1 && c.slot != slot)
            continue;
        if (school != -1 && c.school != -1 && c.school != school)
            continue;
        combinations_.add(k, c.name);
    }
    combinations_.selectKey(remembered);
    combinationChosen();
}

void RunePage::combinationChosen() {
    const std::int32_t key = combinations_.currentKey();
    for (int r = 0; r < kRows; ++r) {
        int colour = -1;
        if (key >= 1 && key < kRuneCombinationSlots) {
            const std::int32_t c = catalogue_.runeCombinations[key].colours[r];
            colour = c >= 0 && c < kColours ? c : -1;
        }
        rows_[r].colour = colour;
        refillStones(r);
    }
    showCombination();
}

void RunePage::refillStones(int row) {
    Row& x = rows_[row];
    const std::int32_t remembered = x.stones.currentKey();
    x.stones.clear();
    if (x.colour >= 0)
        for (int s = 1; s < kRuneStoneSlots; ++s)
            if (catalogue_.runeStones[s].colour == x.colour)
                x.stones.add(s, catalogue_.runeStones[s].name);
    x.stones.selectKey(remembered);
    stoneChosen(row, false);
}

void RunePage::stoneChosen(int row, bool byUser) {
    Row& x = rows_[row];
    const std::int32_t key = x.stones.currentKey();
    if (key < 1 || key >= kRuneStoneSlots) {
        x.level = -1;
        x.bonus.clear();
        x.icon = kEmptyHoleIcon;
        x.tip = kNotSet;
    } else {
        const RuneStone& stone = catalogue_.runeStones[key];
        x.level = stone.level >= 1 && stone.level <= 3 ? stone.level - 1 : -1;
        x.bonus = catalogue_.RuneStoneEffectText(stone);
        x.icon = stone.id;
        x.tip = stoneTip(stone, x.bonus);
    }
    if (byUser)
        showCombination();
}

void RunePage::colourMatch() {
    std::vector<std::int32_t> colours;
    for (int r = 0; r < holes_ && r < kRows; ++r)
        colours.push_back(rows_[r].colour);
    combinations_.selectKey(catalogue_.MatchRuneCombination(colours));
    showCombination();
}

const RuneCombination* RunePage::chosenCombination() const {
    const std::int32_t key = combinations_.currentKey();
    return key >= 1 && key < kRuneCombinationSlots ? &catalogue_.runeCombinations[key] : nullptr;
}

void RunePage::showCombination() {
    const RuneCombination* c = chosenCombination();
    if (!c) {
        effect_.clear();
        comboTip_.clear();
        // Without a combination no level is shown (nor returned by 确定).
        comboLevel_ = -1;
        return;
    }
    int filled = 0;
    while (filled < holes_ && filled < kRows && rows_[filled].colour >= 0 &&
           rows_[filled].stones.currentKey() >= 1)
        ++filled;
    int matching = 0;
    while (matching < filled && c->colours[matching] != -1 &&
           c->colours[matching] == rows_[matching].colour)
        ++matching;
    const int level = matching - 1;
    comboLevel_ = level >= 1 ? level - 1 : -1;
    effect_ = Catalogue::RuneCombinationEffectText(*c, level);
    replaceAll(effect_, "<br>", "\n");
    comboTip_ = combinationTip(*c, level - 1, catalogue_);
}

void RunePage::loadPreset() {
    if (presetSlot_ != -1) {
        slots_.selectKey(presetSlot_);
        refillHoles();
        refillCombinations();
        slotEnabled_ = false;
    }
    if (presetSchool_ != -1) {
        schools_.selectKey(presetSchool_);
        refillCombinations();
        schoolEnabled_ = false;
    }
    // A hole count outside the list (a damaged record) keeps the five holes.
    if (working_.holeCount != kMaxHoles && working_.holeCount >= 0 &&
        working_.holeCount <= kMaxHoles) {
        holes_ = working_.holeCount;
        holeCountChanged();
    }
    combinations_.selectKey(catalogue_.FindRuneCombination(working_.combinationId));
    combinationChosen();
    for (int r = 0; r < kRows; ++r) {
        const int slot = catalogue_.FindRuneStone(working_.stoneIds[static_cast<std::size_t>(r)]);
        if (slot < 1)
            continue;
        rows_[r].colour = catalogue_.runeStones[slot].colour;
        refillStones(r);
        rows_[r].stones.selectKey(slot);
        stoneChosen(r, false);
    }
    showCombination();
}

}  // namespace kalvix
