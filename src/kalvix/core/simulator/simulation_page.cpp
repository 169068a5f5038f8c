#include "kalvix/core/simulator/simulation_page.h"

#include <limits>

#include "common/field_reader.h"
#include "common/truncation.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_code.h"
#include "kalvix/core/simulator/build_summary.h"

namespace kalvix {
namespace {

constexpr const char* kSchools[3][4] = {{"大唐官府", "化生寺", "方寸山", "女儿村"},
                                        {"天宫", "龙宫", "五庄观", "普陀山"},
                                        {"狮驼岭", "魔王寨", "阴曹地府", "盘丝洞"}};
constexpr const char* kPieces[kEquipmentRecords] = {"",     "武器", "衣服", "头盔",
                                                    "项链", "腰带", "鞋子"};
// What an equipment button shows before its editor first confirms.
constexpr const char* kPieceHeadings[kEquipmentRecords] = {"",
                                                           "<h3>武器</h3>",
                                                           "<h3>铠甲/女衣</h3>",
                                                           "<h3>头盔或发钗</h3>",
                                                           "<h3>项链</h3>",
                                                           "<h3>腰带</h3>",
                                                           "<h3>靴子</h3>"};
constexpr const char* kMountHeading = "<h3>坐骑</h3>";

}  // namespace

std::string SimulationPage::attributeCaption(int k) {
    return kAttributeNames[k];
}

std::string SimulationPage::stepCaption(int k, int amount) {
    return std::string(kAttributeNames[k]) + "." + (amount > 0 ? "+" : "-") +
           std::to_string(amount > 0 ? amount : -amount);
}

std::string SimulationPage::quickCaption(int k) {
    return std::string("快速加点.") + kAttributeNames[k];
}

std::string SimulationPage::skillListCaption(int slot) {
    return std::string(kStatusNames[slot - 1]) + "技能";
}

std::string SimulationPage::skillButtonCaption(int slot) {
    return skillListCaption(slot) + ".按钮";
}

std::string SimulationPage::pieceCaption(int piece) {
    return kPieces[piece];
}

std::string SimulationPage::partEffectCaption(int position) const {
    const EquipEffectInfo* effect = context_.catalogue().effect(position);
    return "部件特效." +
           (effect && !effect->name.empty() ? effect->name : std::to_string(position));
}

std::string SimulationPage::schoolName(int race, int school) {
    if (race < 0 || race >= kRaces || school < 0 || school >= kSchoolsPerRace)
        return {};
    return kSchools[race][school];
}

SimulationPage::SimulationPage(PageContext& context)
    : context_(context),
      ownSession_(std::make_unique<SimulatorSession>(context.catalogue())),
      session_(*ownSession_) {
    declareControls();
    recordEveryChange();
    openPage();
}

SimulationPage::SimulationPage(PageContext& context, SimulatorSession& session)
    : context_(context), session_(session) {
    declareControls();
    recordEveryChange();
    openPage();
}

SimulationPage::State SimulationPage::state() const {
    return {build(),    session_.record(), levelLimit_,
            quickText_, pieceSummarised_,  mountSummarised_};
}

void SimulationPage::restore(const State& s) {
    session_.restore(s.build, s.record);
    levelLimit_ = s.levelLimit;
    quickText_ = s.quickText;
    pieceSummarised_ = s.pieceSummarised;
    mountSummarised_ = s.mountSummarised;
}

void SimulationPage::recordEveryChange() {
    wrapHandlers(
        [this](const std::string& caption, ControlKind kind, const std::function<void()>& handler) {
            if (caption == kUndoCaption || caption == kRedoCaption) {
                handler();
                return;
            }
            State before = state();
            handler();
            if (!state().sameStep(before))
                history_.changed(std::move(before), kind == ControlKind::Edit ? caption : "");
        });
}

void SimulationPage::compareWithCurrent() {
    compared_ = std::make_unique<SimulatorSession>(context_.catalogue());
    compared_->open(0);
    compared_->restore(build(), session_.record());
}

bool SimulationPage::compareWithFile(const std::string& path) {
    auto other = std::make_unique<SimulatorSession>(context_.catalogue());
    other->open(0);
    const BuildFileResult r = other->load(path, kMaxBuildLevel);
    if (!r.message.empty())
        showBox(r.message);
    if (r.status != BuildFileStatus::Done)
        return false;
    compared_ = std::move(other);
    return true;
}

std::vector<ComparedAttribute> SimulationPage::comparison() const {
    return compared_ ? compareSheets(sheet(), compared_->sheet())
                     : std::vector<ComparedAttribute>{};
}

void SimulationPage::undo() {
    if (auto s = history_.undo(state()))
        restore(*s);
}

void SimulationPage::redo() {
    if (auto s = history_.redo(state()))
        restore(*s);
}

void SimulationPage::openPage() {
    // The record gets its defaults and the build starts at the shared level, handled as a
    // 级别 change.
    session_.open(clampValue(context_.sharedLevel(), 0, kMaxBuildLevel));
    levelLimit_ = kMaxBuildLevel;
    pieceSummarised_ = {};
    mountSummarised_ = false;
    history_.clear();
}

void SimulationPage::chooseRace(int race) {
    session_.simulator().setRace(race);
}

void SimulationPage::chooseSchool(int school) {
    session_.simulator().setSchool(school);
}

void SimulationPage::chooseLevel(int level) {
    session_.simulator().setLevel(clampValue(level, 0, levelLimit_));
}

void SimulationPage::toggleAscended(bool on) {
    // The list is rebuilt for the new range; a level above it becomes the top, as a 级别 change.
    session_.simulator().setAscended(on);
    levelLimit_ = on ? kMaxAscendedLevel : kMaxGroundedLevel;
}

void SimulationPage::chooseExtraPotential(int value) {
    session_.simulator().setExtraPotential(value);
    if (sheet().remainingPotential < 0 && ask(kOverspentQuestion, kOverspentCaption))
        session_.simulator().resetAllocation();
}

std::array<std::optional<std::int32_t>, kBasicAttributes> SimulationPage::quickEntries() const {
    std::array<std::optional<std::int32_t>, kBasicAttributes> entries{};
    for (int k = 0; k < kBasicAttributes; ++k) {
        if (quickText_[k].empty())
            continue;
        // The fields take digits only; anything else counts 0. A ratio is taken as typed (a
        // cap would skew it); only what a 32-bit entry cannot hold is held at its largest.
        entries[k] = std::max(0, common::clampToInt32(common::leadingInteger(quickText_[k])));
    }
    return entries;
}

std::int64_t SimulationPage::quickSum() const {
    std::int64_t sum = 0;
    for (const auto& e : quickEntries())
        sum += e.value_or(0);
    return sum;
}

void SimulationPage::quickAllocate(QuickAllocation mode) {
    const QuickResult r = session_.simulator().quickAllocate(mode, quickEntries());
    if (r.allocated) {
        quickText_ = {};
        showStatus(kQuickDone);
    } else if (r.failed) {
        showStatus("剩余潜能点(" + std::to_string(r.remaining) + ")小于待分配分配潜能(" +
                   std::to_string(r.sum) + ")！");
    }
}

void SimulationPage::resetPoints() {
    session_.simulator().resetAllocation();
    quickText_ = {};
}

void SimulationPage::openEditor(int piece) {
    const std::uint64_t before = session_.equipmentRevision(piece);
    open(kEditorTitles[piece]);
    if (session_.equipmentRevision(piece) != before)
        pieceSummarised_[piece] = true;
}

void SimulationPage::openMount() {
    const std::uint64_t before = session_.mountRevision();
    open(kMountTitle);
    if (session_.mountRevision() != before)
        mountSummarised_ = true;
}

void SimulationPage::afterLoad() {
    for (int p = kFirstPiece; p <= kLastPiece; ++p)
        pieceSummarised_[p] = true;
    mountSummarised_ = true;
}

bool SimulationPage::saveTo(const std::string& path) {
    const BuildFileResult r = session_.save(path);
    if (!r.message.empty())
        showBox(r.message);
    if (r.status != BuildFileStatus::Done)
        return false;
    currentFile_ = path;
    return true;
}

bool SimulationPage::loadFrom(const std::string& path) {
    const BuildFileResult r = session_.load(path, levelLimit_);
    if (!r.message.empty())
        showBox(r.message);
    if (r.status != BuildFileStatus::Done)
        return false;
    afterLoad();
    currentFile_ = path;
    return true;
}

void SimulationPage::copyCode() {
    const std::string code = session_.buildCode();
    context_.desktop().setClipboardText(code);
    showStatus(kCodeCopied);
}

void SimulationPage::pasteCode() {
    const std::string pasted = context_.desktop().clipboardText();
    const std::optional<std::string> code = extractBuildCode(pasted);
    if (!code) {
        showBox(kNotABuildCode);
        return;
    }
    if (!ask(kReplaceByCode))
        return;
    decodeBuildCode(*code, session_.record());
    session_.applyRecord(levelLimit_);
    afterLoad();
    showStatus(kCodePasted);
}

std::string SimulationPage::schoolRadioText(int school) const {
    return schoolName(build().race, school);
}

std::string SimulationPage::schoolSkillName(int slot) const {
    const SchoolSkillInfo* row =
        context_.catalogue().schoolSkill(build().race, build().school, slot);
    return row ? row->name : std::string();
}

std::string SimulationPage::skillButtonText(int slot) const {
    const SchoolSkillInfo* row =
        context_.catalogue().schoolSkill(build().race, build().school, slot);
    if (!row || row->name.empty())
        return {};
    return (row->attribute != 0 ? "*" : "") + row->name;
}

std::string SimulationPage::stepPreview(int k, int amount) const {
    BuildSimulator copy(session_.simulator());
    if (!copy.addPoints(k, amount))
        return {};
    std::string text;
    for (int j = 0; j < kStatusAttributes; ++j) {
        const std::int32_t d = copy.sheet().finalStatus[j] - sheet().finalStatus[j];
        if (d == 0)
            continue;
        if (!text.empty())
            text += "　";
        text += std::string(kStatusNames[j]) + (d > 0 ? " +" : " ") + std::to_string(d);
    }
    return text;
}

std::string SimulationPage::tip(const std::string& caption) const {
    const Catalogue& cat = context_.catalogue();
    for (int p = kFirstPiece; p <= kLastPiece; ++p)
        if (caption == kPieces[p])
            return pieceSummarised_[p] ? equipmentSummary(build().equipment[p], cat)
                                       : kPieceHeadings[p];
    if (caption == "坐骑.编辑")
        return mountSummarised_ ? mountSummary(build().mount, sheet().mountRaw) : kMountHeading;
    for (int slot = 1; slot <= kBuildSkillSlots; ++slot) {
        if (caption != skillButtonCaption(slot) && caption != skillListCaption(slot))
            continue;
        const SchoolSkillInfo* row = cat.schoolSkill(build().race, build().school, slot);
        if (!row || row->name.empty())
            return {};
        return caption == skillListCaption(slot) ? schoolSkillLevelTip(build(), sheet(), slot, cat)
                                                 : schoolSkillButtonTip(*row);
    }
    for (int k = 0; k < kBasicAttributes; ++k)
        for (int amount : {1, 5})
            if (caption == stepCaption(k, amount))
                return stepPreview(k, amount);
    const BottomSummary summary = bottomSummary(build(), sheet(), cat);
    for (int p = kFirstPiece; p <= kLastPiece; ++p) {
        if (caption == std::string("特技.") + kPieces[p])
            return summary.stuntTip[p - 1];
        if (caption == std::string("组合技能.") + kPieces[p])
            return summary.combinationTip[p - 1];
    }
    for (int e = 1; e <= kBottomPartEffects; ++e)
        if (caption == partEffectCaption(e))
            return summary.partEffectTip[e - 1];
    return {};
}

}  // namespace kalvix
