#include "kalvix/core/simulator/equipment_page.h"

#include <map>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_summary.h"
#include "kalvix/core/simulator/rune_page.h"

namespace kalvix {
namespace {

constexpr int kLevelItems = 15;

// General effects that a piece never carries together: 简易 and 无级别限制, 永不磨损 and 坚固.
constexpr std::int32_t kExclusive[][2] = {{2, 4}, {8, 16}};

const char* groupCaption(EquipGroup group) {
    switch (group) {
        case EquipGroup::Base:
            return "基本属性（含石头）";
        case EquipGroup::Added:
            return "附加属性";
        case EquipGroup::Melt:
            break;
    }
    return "熔炼";
}

const char* groupId(EquipGroup group) {
    switch (group) {
        case EquipGroup::Base:
            return "Base";
        case EquipGroup::Added:
            return "Added";
        case EquipGroup::Melt:
            break;
    }
    return "Melt";
}

std::string withLineFeeds(std::string text) {
    for (std::size_t at = text.find("<br>"); at != std::string::npos; at = text.find("<br>", at))
        text.replace(at, 4, "\n");
    return text;
}

std::vector<std::string> levelItems() {
    std::vector<std::string> items{""};
    for (int n = 1; n <= kLevelItems; ++n)
        items.push_back(std::to_string(10 * n) + "级");
    return items;
}

}  // namespace

EquipmentPage::EquipmentPage(PageContext& context, SimulatorSession& session, int piece)
    : context_(context),
      session_(session),
      kind_(*equipmentKind(piece >= 1 && piece <= kEquipmentKinds ? piece : 1)),
      piece_(session.equipment(kind_.slot)) {
    declareControls();
    open();
}

EquipmentPage::EquipmentPage(PageContext& context, int piece)
    : context_(context),
      ownSession_(std::make_unique<SimulatorSession>(context.catalogue())),
      session_(*ownSession_),
      kind_(*equipmentKind(piece >= 1 && piece <= kEquipmentKinds ? piece : 1)),
      piece_(session_.equipment(kind_.slot)) {
    declareControls();
    open();
}

EquipmentPage::~EquipmentPage() = default;

std::string EquipmentPage::listCaption(int list) const {
    const EquipListSpec& spec = kind_.lists[static_cast<std::size_t>(list)];
    int same = 0;
    for (const EquipListSpec& other : kind_.lists)
        same += std::string(other.name) == spec.name ? 1 : 0;
    // Only a caption that repeats on the editor takes its group's caption.
    return same > 1 ? std::string(groupCaption(spec.group)) + "." + spec.name : spec.name;
}

std::string EquipmentPage::holeCaption(int hole) {
    return "镶嵌符石." + std::to_string(hole + 1);
}

bool EquipmentPage::listEnabled(int list) const {
    return presetEnabled_ || !kind_.lists[static_cast<std::size_t>(list)].preset();
}

bool EquipmentPage::effectTicked(int box) const {
    const EffectBox& b = boxes_[static_cast<std::size_t>(box)];
    return ((b.general ? generalMask_ : partMask_) & b.bit) != 0;
}

void EquipmentPage::declareControls() {
    const Catalogue& cat = context_.catalogue();
    Control& level = addList(
        "等级", "comboLevel", [] { return levelItems(); }, [this] { return level_; },
        [this](int i) { chooseLevel(i); });
    level.output = true;
    Control& strengthen = addCheck(
        "强化", "checkStrengthen", [this] { return strengthened_; },
        [this](bool on) { clickStrengthen(on); });
    strengthen.output = true;
    strengthen.enabled = [this] { return level_ >= 1; };
    if (!kind_.strengthenShown)
        strengthen.visible = [] { return false; };
    Control& stunt = addList(
        "特技", "comboStunt",
        [&cat] {
            std::vector<std::string> items;
            for (int k = 0; k < kStuntSlots; ++k)
                items.push_back(k == 0 ? "无" : cat.stunts[k].name);
            return items;
        },
        [this] { return stunt_; }, [this](int i) { chooseStunt(i); });
    stunt.output = true;
    if (!kind_.iconHoles)
        addResult("特技.说明", "editStuntInfo", [this] { return stuntInfo_; }).output = false;

    std::map<EquipGroup, int> counts;
    for (int i = 0; i < static_cast<int>(kind_.lists.size()); ++i) {
        const EquipListSpec& spec = kind_.lists[static_cast<std::size_t>(i)];
        const std::string id =
            std::string("combo") + groupId(spec.group) + std::to_string(++counts[spec.group]);
        Control& c = addList(
            listCaption(i), id,
            [spec] {
                std::vector<std::string> items;
                for (int p = 0; p < spec.itemCount(); ++p)
                    items.push_back(std::to_string(spec.valueAt(p)));
                return items;
            },
            [this, i] { return positions_[static_cast<std::size_t>(i)]; },
            [this, i](int p) { chooseValue(i, p); });
        c.output = true;
        c.enabled = [this, i] { return listEnabled(i); };
    }

    // The slot's own effects in table order, then the general ones.
    int part = 0;
    int general = 0;
    for (int position = kFirstEquipEffect; position <= kLastEquipEffect; ++position) {
        const EquipEffectInfo* e = cat.effect(position);
        if (!e || (e->slot != kind_.slot && e->slot != -1))
            continue;
        const bool isGeneral = e->slot == -1;
        const std::string heading = isGeneral ? "通用特效" : "部件特效";
        EffectBox box{position, isGeneral, Catalogue::effectMaskBit(e->indexInSlot), e->name,
                      "<h3>" + heading + "：【" + e->name +
                          "】</h3><br><hr color=green><br>作用：" + e->description + "<br>"};
        const int index = static_cast<int>(boxes_.size());
        boxes_.push_back(box);
        const std::string id = isGeneral ? "checkGeneral" + std::to_string(++general)
                                         : "checkPart" + std::to_string(++part);
        addCheck(
            e->name, id, [this, index] { return effectTicked(index); },
            [this, index](bool on) { clickEffect(index, on); })
            .output = true;
    }

    addButton("符石模拟", "buttonRune", [this] { runeSimulation(); });
    addResult("组合技能", "editCombination", [this] { return combination_; });
    Control& comboLevel = addList(
        "技能等级", "comboCombinationLevel",
        [] {
            return std::vector<std::string>{"1级", "2级", "3级", "4级"};
        },
        [this] { return combinationLevel_; }, [](int) {});
    comboLevel.output = true;
    comboLevel.enabled = [] { return false; };
    for (int h = 0; h < kHoles; ++h) {
        const std::string id =
            (kind_.iconHoles ? "buttonHole" : "editHole") + std::to_string(h + 1);
        Control& hole = addResult(holeCaption(h), id,
                                  [this, h] { return holeText_[static_cast<std::size_t>(h)]; });
        if (kind_.iconHoles)
            hole.picture = [this, h] { return holeIcon(h); };
    }
    addButton("确认", "buttonOk", [this] { confirm(); });
    addButton("取消", "buttonCancel", [this] { cancel(); });
}

void EquipmentPage::open() {
    positions_.assign(kind_.lists.size(), 0);
    for (std::size_t i = 0; i < kind_.lists.size(); ++i)
        positions_[i] = kind_.lists[i].positionOf(0);
    partMask_ = piece_.partEffects;
    generalMask_ = piece_.generalEffects;

    level_ = piece_.levelIndex >= 0 && piece_.levelIndex <= kLevelItems ? piece_.levelIndex : -1;
    levelChanged();
    strengthened_ = piece_.strengthened;
    applyPresets();
    stunt_ = piece_.stunt >= 0 && piece_.stunt < kStuntSlots ? piece_.stunt : 0;
    stuntChanged();
    // The stored values win over what the level presets.
    for (std::size_t i = 0; i < kind_.lists.size(); ++i)
        positions_[i] = kind_.lists[i].positionOf(kind_.lists[i].in(piece_));
    showRunes();
}

// --- the user's actions

void EquipmentPage::chooseLevel(int position) {
    if (position < 0 || position > kLevelItems)
        return;
    level_ = position;
    levelChanged();
}

void EquipmentPage::clickStrengthen(bool) {
    if (level_ < 1)
        return;
    strengthened_ = !strengthened_;
    applyPresets();
}

void EquipmentPage::chooseStunt(int position) {
    if (position < 0 || position >= kStuntSlots)
        return;
    stunt_ = position;
    stuntChanged();
}

void EquipmentPage::chooseValue(int list, int position) {
    if (list < 0 || list >= static_cast<int>(kind_.lists.size()) || !listEnabled(list))
        return;
    const EquipListSpec& spec = kind_.lists[static_cast<std::size_t>(list)];
    if (position < 0 || position >= spec.itemCount())
        return;
    positions_[static_cast<std::size_t>(list)] = position;
}

void EquipmentPage::clickEffect(int box, bool) {
    if (box < 0 || box >= static_cast<int>(boxes_.size()))
        return;
    const EffectBox& b = boxes_[static_cast<std::size_t>(box)];
    std::int32_t& mask = b.general ? generalMask_ : partMask_;
    mask ^= b.bit;
    if (!b.general || (mask & b.bit) == 0)
        return;
    for (const auto& pair : kExclusive) {
        if (b.bit == pair[0])
            mask &= ~pair[1];
        else if (b.bit == pair[1])
            mask &= ~pair[0];
    }
}

void EquipmentPage::runeSimulation() {
    if (!runeRunner)
        return;
    RunePage dialog(context_, &session_.lastRuneSetting());
    dialog.SetPreset(kind_.slot, session_.schoolValue(), piece_.runes);
    runeRunner(dialog);
    if (dialog.outcome() != RunePage::Outcome::Confirmed)
        return;
    // Written at once: a later 取消 of this editor keeps the new runes.
    session_.setRunes(kind_.slot, session_.lastRuneSetting());
    piece_.runes = session_.equipment(kind_.slot).runes;
    showRunes();
}

void EquipmentPage::confirm() {
    piece_.levelIndex = level_;
    piece_.strengthened = strengthened_;
    piece_.stunt = stunt_;
    piece_.partEffects = partMask_;
    piece_.generalEffects = generalMask_;
    for (std::size_t i = 0; i < kind_.lists.size(); ++i) {
        const EquipListSpec& spec = kind_.lists[i];
        // A stored value that no item shows (from a damaged file) stays as it was.
        if (positions_[i] >= 0)
            spec.in(piece_) = spec.valueAt(positions_[i]);
    }
    session_.confirmEquipment(kind_.slot, piece_);
    piece_ = session_.equipment(kind_.slot);
    outcome_ = Outcome::Confirmed;
    closeWindow(true);
}

void EquipmentPage::cancel() {
    outcome_ = Outcome::Cancelled;
    closeWindow(false);
}

// --- the editor's rules

void EquipmentPage::levelChanged() {
    if (level_ == 0) {
        strengthened_ = false;
        presetEnabled_ = true;
        return;
    }
    applyPresets();
}

void EquipmentPage::applyPresets() {
    presetEnabled_ = !strengthened_;
    if (level_ < 1)
        return;
    for (std::size_t i = 0; i < kind_.lists.size(); ++i) {
        const EquipListSpec& spec = kind_.lists[i];
        if (spec.preset())
            positions_[i] = spec.positionOf(spec.presetValue(level_, strengthened_));
    }
}

void EquipmentPage::stuntChanged() {
    const StuntInfo* s = stunt_ > 0 ? context_.catalogue().stunt(stunt_) : nullptr;
    if (!s) {
        stuntInfo_.clear();
        stuntTip_.clear();
        return;
    }
    stuntInfo_ = withLineFeeds(s->description);
    stuntTip_ = "<h3>特技：【" + s->name + "】</h3><br><hr color=green><br>作用：" +
                s->description + "<br>SP消耗：" + std::to_string(s->spCost);
}

void EquipmentPage::showRunes() {
    const Catalogue& cat = context_.catalogue();
    const RuneSetting& runes = piece_.runes;
    const int slot = cat.FindRuneCombination(runes.combinationId);
    if (slot >= 1) {
        const RuneCombination& c = cat.runeCombinations[slot];
        combination_ = c.name;
        const std::int32_t index = runes.combinationLevelIndex;
        combinationLevel_ = index >= 0 && index < kRuneLevels ? index : -1;
        combinationTip_ = combinationTip(c, index, cat);
    } else {
        combination_.clear();
        combinationLevel_ = -1;
        combinationTip_ = "无组合技能！";
    }
    const int holes = runes.holeCount < 0 ? 0 : runes.holeCount;
    for (int h = 0; h < kHoles; ++h) {
        const auto i = static_cast<std::size_t>(h);
        // Holes the piece does not have show nothing, not what an earlier setting left.
        holeText_[i].clear();
        holeTip_[i].clear();
        holeIcon_[i] = 0;
        if (h >= holes)
            continue;
        const int stoneSlot = cat.FindRuneStone(runes.stoneIds[i]);
        if (stoneSlot < 1) {
            holeTip_[i] = "未镶嵌";
            holeIcon_[i] = kEmptyHoleIcon;
            continue;
        }
        const RuneStone& stone = cat.runeStones[stoneSlot];
        holeText_[i] = std::to_string(h + 1) + "、【" + stone.name + "】";
        holeIcon_[i] = stone.id;
        holeTip_[i] = "<table><tr><td valign=vcenter><icon idres=" + std::to_string(stone.id) +
                      " width=48 height=48></td><td><center><h2>【" + stone.name +
                      "】</h2><br><hr color=blue></center><br>" + cat.RuneStoneEffectText(stone) +
                      "</td></tr></table>";
    }
}

std::string EquipmentPage::tip(const std::string& caption) const {
    if (caption == "特技" || (caption == "特技.说明" && !kind_.iconHoles))
        return stuntTip_;
    if (caption == "组合技能")
        return combinationTip_;
    if (caption == "符石模拟")
        return runeSummary(piece_.runes, context_.catalogue());
    for (const EffectBox& b : boxes_)
        if (caption == b.caption)
            return b.tip;
    for (int h = 0; h < kHoles; ++h)
        if (caption == holeCaption(h))
            return holeTip_[static_cast<std::size_t>(h)];
    return {};
}

}  // namespace kalvix
