// The controls of the simulator page, declared once: captions for kalvix-calc, object names of
// the dialog's .ui, and the states that follow the build.

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_summary.h"
#include "kalvix/core/simulator/simulation_page.h"

namespace kalvix {
namespace {

std::string number(std::int32_t v) {
    return std::to_string(v);
}

}  // namespace

void SimulationPage::declareControls() {
    const char* const raceNames[kRaces] = {"人族", "仙族", "魔族"};
    for (int r = 0; r < kRaces; ++r)
        addRadio(
            raceNames[r], "radioRace" + std::to_string(r), [this, r] { return build().race == r; },
            [this, r] { chooseRace(r); });
    // The four radios of the window relabel with the race; kalvix-calc also knows every school
    // by its name, offered while its race is chosen.
    for (int s = 0; s < kSchoolsPerRace; ++s)
        addRadio(
            "门派." + std::to_string(s + 1), "radioSchool" + std::to_string(s),
            [this, s] { return build().school == s; }, [this, s] { chooseSchool(s); })
            .text = [this, s] { return schoolRadioText(s); };
    for (int r = 0; r < kRaces; ++r)
        for (int s = 0; s < kSchoolsPerRace; ++s)
            addRadio(
                schoolName(r, s), "", [this, s] { return build().school == s; },
                [this, s] { chooseSchool(s); })
                .visible = [this, r] { return build().race == r; };

    addEdit(
        "服", "editServer", [this] { return build().server; },
        [this](const std::string& t) { session_.simulator().setServer(t); });
    addEdit(
        "区", "editArea", [this] { return build().area; },
        [this](const std::string& t) { session_.simulator().setArea(t); });
    addEdit(
        "角色", "editName", [this] { return build().name; },
        [this](const std::string& t) { session_.simulator().setName(t); });
    addButton("保存", "buttonSave", [this] {
        if (choosePath)
            if (auto path = choosePath(true))
                saveTo(*path);
    });
    addButton("读取", "buttonLoad", [this] {
        if (choosePath)
            if (auto path = choosePath(false))
                loadFrom(*path);
    });
    addButton("名人榜>>", "buttonFame", [] {}).enabled = [] { return false; };
    addButton(kUndoCaption, "buttonUndo", [this] { undo(); }).enabled = [this] {
        return canUndo();
    };
    addButton(kRedoCaption, "buttonRedo", [this] { redo(); }).enabled = [this] {
        return canRedo();
    };
    addButton("对比当前", "buttonCompareCurrent", [this] { compareWithCurrent(); });
    addButton("对比文件", "buttonCompareFile", [this] {
        if (choosePath)
            if (auto path = choosePath(false))
                compareWithFile(*path);
    });
    Control compare;
    compare.caption = "对比";
    compare.id = "tableCompare";
    compare.kind = ControlKind::Table;
    compare.rows = [this] {
        TableRows rows;
        for (const ComparedAttribute& a : comparison())
            rows.push_back({a.name, number(a.mine), number(a.other), a.difference()});
        return rows;
    };
    add(std::move(compare));
    addButton("复制代码", "buttonCopyCode", [this] { copyCode(); });
    addButton("粘贴代码", "buttonPasteCode", [this] { pasteCode(); });
    // kalvix-calc's stand-in for the clipboard: 复制代码 writes it, 粘贴代码 reads it.
    addEdit(
        "剪贴板", "", [this] { return context_.desktop().clipboardText(); },
        [this](const std::string& t) { context_.desktop().setClipboardText(t); })
        .output = true;

    addResult("门派", "editSchool", [this] { return schoolName(build().race, build().school); });
    addList(
        "级别", "comboLevel", [this] { return numberItems(0, levelLimit_); },
        [this] { return build().level; }, [this](int i) { chooseLevel(i); });
    addCheck(
        "已飞升", "checkAscended", [this] { return build().ascended; },
        [this](bool on) { toggleAscended(on); });
    addList(
        "额外潜能", "comboExtra", [] { return numberItems(0, kMaxExtraPotential); },
        [this] { return build().extraPotential; }, [this](int i) { chooseExtraPotential(i); });

    for (int slot = 1; slot <= kBuildSkillSlots; ++slot) {
        auto named = [this, slot] { return !schoolSkillName(slot).empty(); };
        addResult(skillButtonCaption(slot), "buttonSkill" + std::to_string(slot), [this, slot] {
            return skillButtonText(slot);
        }).enabled = named;
        addList(
            skillListCaption(slot), "comboSkill" + std::to_string(slot),
            [] { return numberItems(0, kMaxBuildSkillLevel); },
            [this, slot] { return build().skillLevel[slot - 1]; },
            [this, slot](int i) { session_.simulator().setSkillLevel(slot, i); })
            .enabled = named;
    }

    const char* const statusIds[kStatusAttributes] = {"editHp",    "editMp",      "editHit",
                                                      "editHurt",  "editDefence", "editSpeed",
                                                      "editDodge", "editAnima"};
    for (int j = 0; j < kStatusAttributes; ++j)
        addResult(kStatusNames[j], statusIds[j],
                  [this, j] { return number(sheet().finalStatus[j]); });

    const char* const auxNames[kAuxSkills] = {"强身", "冥思", "养生", "健身"};
    const char* const auxIds[kAuxSkills] = {"comboStrong", "comboMeditate", "comboNurture",
                                            "comboFitness"};
    for (int a = 0; a < kAuxSkills; ++a)
        addList(
            auxNames[a], auxIds[a], [] { return numberItems(0, kMaxAuxLevel); },
            [this, a] { return build().auxLevel[a]; },
            [this, a](int i) { session_.simulator().setAuxLevel(a, i); });
    addResult("活力", "editVigour", [this] { return number(sheet().vigour); });
    addResult("体力", "editStamina", [this] { return number(sheet().stamina); });

    const char* const fiveIds[kBasicAttributes] = {"editCon", "editMag", "editStr", "editEnd",
                                                   "editAgi"};
    const char* const quickIds[kBasicAttributes] = {"editQuickCon", "editQuickMag", "editQuickStr",
                                                    "editQuickEnd", "editQuickAgi"};
    const char* const stepKeys[kBasicAttributes] = {"Con", "Mag", "Str", "End", "Agi"};
    for (int k = 0; k < kBasicAttributes; ++k) {
        addResult(attributeCaption(k), fiveIds[k], [this, k] { return number(sheet().total[k]); });
        for (int amount : {-1, -5, 1, 5}) {
            const std::string id = std::string("button") + stepKeys[k] + (amount > 0 ? "P" : "M") +
                                   std::to_string(amount > 0 ? amount : -amount);
            addButton(stepCaption(k, amount), id, [this, k, amount] {
                if (amount > 0)
                    session_.simulator().addPoints(k, amount);
                else
                    session_.simulator().removePoints(k, -amount);
            }).enabled = [this, k, amount] {
                return amount > 0 ? sheet().remainingPotential >= amount
                                  : build().allocated[k] >= -amount;
            };
        }
    }
    addResult("潜力", "editPotential", [this] { return number(sheet().remainingPotential); });
    addButton("重置点数", "buttonReset", [this] { resetPoints(); }).enabled = [this] {
        for (std::int32_t a : build().allocated)
            if (a != 0)
                return true;
        return false;
    };
    for (int k = 0; k < kBasicAttributes; ++k)
        addEdit(
            quickCaption(k), quickIds[k], [this, k] { return quickText_[k]; },
            [this, k](const std::string& t) { quickText_[k] = t; });
    auto quickUsable = [this] { return sheet().remainingPotential >= 1 && quickSum() >= 1; };
    addButton("比例", "buttonRatio", [this] { quickAllocate(QuickAllocation::Ratio); }).enabled =
        quickUsable;
    addButton("数值", "buttonValue", [this] { quickAllocate(QuickAllocation::Value); }).enabled =
        quickUsable;

    addCheck(
        "坐骑", "checkMount", [this] { return build().mountOn; },
        [this](bool on) { session_.simulator().setMountOn(on); });
    Control& mount = addButton("坐骑.编辑", "buttonMount", [this] { openMount(); });
    mount.text = [] { return std::string("坐骑"); };
    mount.enabled = [this] { return build().mountOn; };
    auto equipped = [this] { return build().equipmentOn; };
    addCheck(
        "装备", "checkEquipment", [this] { return build().equipmentOn; },
        [this](bool on) { session_.simulator().setEquipmentOn(on); });
    const char* const pieceIds[kEquipmentRecords] = {
        "",           "buttonWeapon", "buttonClothing", "buttonHead", "buttonNecklace",
        "buttonBelt", "buttonBoot"};
    for (int p = kFirstPiece; p <= kLastPiece; ++p)
        addButton(pieceCaption(p), pieceIds[p], [this, p] { openEditor(p); }).enabled = equipped;

    // The bottom summary.
    for (int p = kFirstPiece; p <= kLastPiece; ++p)
        addResult("特技." + pieceCaption(p), "editStunt" + std::to_string(p), [this, p] {
            return bottomSummary(build(), sheet(), context_.catalogue()).stunt[p - 1];
        }).enabled = equipped;
    for (int p = kFirstPiece; p <= kLastPiece; ++p)
        addResult("组合技能." + pieceCaption(p), "editCombination" + std::to_string(p), [this, p] {
            return bottomSummary(build(), sheet(), context_.catalogue()).combination[p - 1];
        }).enabled = equipped;
    for (int e = 1; e <= kBottomPartEffects; ++e)
        addResult(partEffectCaption(e), "editEffect" + std::to_string(e), [this, e] {
            return bottomSummary(build(), sheet(), context_.catalogue()).partEffect[e - 1];
        }).enabled = equipped;
    const char* const specialNames[kSpecialAttributes] = {"法力防御", "法力伤害", "固定伤害"};
    for (int i = 0; i < kSpecialAttributes; ++i)
        addResult(specialNames[i], "editSpecial" + std::to_string(i), [this, i] {
            return number(sheet().special[i]);
        }).enabled = equipped;
}

}  // namespace kalvix
