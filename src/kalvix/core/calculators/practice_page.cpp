#include "kalvix/core/calculators/practice_page.h"

namespace kalvix {
namespace {

const char* const kSealCaptions[4] = {"自己技能等级", "封印模拟.法术修炼", "对方等级",
                                      "封印模拟.法抗修炼"};
const char* const kSealIds[4] = {"editSealSkill", "editSealMagic", "editSealLevel",
                                 "editSealResistance"};
const std::int32_t kSealMax[4] = {180, 25, 175, 25};

std::string str(std::int64_t v) {
    return std::to_string(v);
}

}  // namespace

PracticePage::PracticePage(PageContext& context) : context_(context) {
    struct KindRadio {
        const char* caption;
        const char* id;
        CultivationKind kind;
    };
    const KindRadio kinds[] = {
        {"攻击修炼", "radioAttack", CultivationKind::Attack},
        {"防御修炼", "radioDefence", CultivationKind::Defence},
        {"人物修炼.法术修炼", "radioMagic", CultivationKind::Magic},
        {"人物修炼.法抗修炼", "radioResistance", CultivationKind::Resistance},
        {"猎术修炼", "radioHunting", CultivationKind::Hunting},
    };
    for (const KindRadio& k : kinds) {
        const CultivationKind kind = k.kind;
        addRadio(
            k.caption, k.id, [this, kind] { return kind_ == kind; },
            [this, kind] { chooseKind(kind); });
    }
    addEdit(
        "当前等级", "editCurrent", [this] { return current_.text; },
        [this](const std::string& t) { editCurrent(t); });
    addEdit(
        "目标等级", "editTarget", [this] { return target_.text; },
        [this](const std::string& t) { editTarget(t); });
    addEdit(
        "当前修炼经验", "editExperience", [this] { return experience_.text; },
        [this](const std::string& t) { editExperience(t); });
    addResult("等级要求", "editLevelRequired", [this] { return cost_.levelRequired; });
    addResult("耗费金钱", "editMoney", [this] { return cost_.money; });
    addResult("耗费资财", "editFunds", [this] { return str(cost_.funds); });
    addResult("需要帮贡上限", "editContributionCap", [this] { return str(cost_.contributionCap); });
    addResult("需要修炼经验", "editCultivationExp", [this] { return str(cost_.experience); });

    addRadio(
        "攻击/法术", "radioModeAttack", [this] { return mode_ == 0; }, [this] { chooseMode(0); });
    addRadio(
        "防御/法抗", "radioModeDefence", [this] { return mode_ == 1; }, [this] { chooseMode(1); });
    addLabel("基本伤害.label", "labelDamage",
             [this] { return mode_ == 0 ? "基本伤害" : "所受伤害"; });
    addEdit(
        "基本伤害", "editDamage", [this] { return damageBase_.text; },
        [this](const std::string& t) { editDamage(t); });
    addEdit(
        "修炼等级", "editDamageLevel", [this] { return damageLevel_.text; },
        [this](const std::string& t) { editDamageLevel(t); });
    addResult("结果伤害", "editResult", [this] { return str(damage_.result); });
    addResult("五行正克", "editAdvantage", [this] { return str(damage_.advantage); });
    addResult("五行被克", "editDisadvantage", [this] { return str(damage_.disadvantage); });

    for (int i = 0; i < 4; ++i)
        addEdit(
            kSealCaptions[i], kSealIds[i], [this, i] { return seal_[i].text; },
            [this, i](const std::string& t) { editSeal(i, t); });
    addResult("无修炼封印几率", "editChanceWithout", [this] { return chanceWithout_; });
    addResult("有修炼封印几率", "editChanceWith", [this] { return chanceWith_; });
    addResult("成功", "editSuccess", [this] { return successes_; });
    addResult("失败", "editFailure", [this] { return failures_; });
    Control list;
    list.caption = "封印模拟100次";
    list.id = "listSeal";
    list.kind = ControlKind::Table;
    list.output = true;
    list.rows = [this] {
        TableRows rows;
        for (const auto& line : casts_)
            rows.push_back({line});
        return rows;
    };
    add(std::move(list));
    addButton("封印模拟", "buttonSeal", [this] { simulate(); });
    addButton("综合计算", "buttonTotal", [] {}).visible = [] { return false; };
    addButton("计算", "buttonCompute", [] {}).visible = [] { return false; };

    fields().addInt("当前等级", current_.text, current_.value);
    fields().addInt("目标等级", target_.text, target_.value);
    fields().addInt("当前修炼经验", experience_.text, experience_.value);
    fields().addInt("基本伤害", damageBase_.text, damageBase_.value);
    // Fields with a declared range come last: one that is out of range stops the reading
    // but keeps the value as typed, and the fields before it are read all the same.
    fields().addInt("修炼等级", damageLevel_.text, damageLevel_.value).within(0, 25);
    for (int i = 0; i < 4; ++i)
        fields().addInt(kSealCaptions[i], seal_[i].text, seal_[i].value).within(0, kSealMax[i]);
}

void PracticePage::computeCost() {
    readFields();
    cost_ = cultivationCost(kind_, current_.value, target_.value, experience_.value);
    writeFields();
}

void PracticePage::computeDamage() {
    readFields();
    damage_ = damageEffect(mode_, damageBase_.value, damageLevel_.value);
    writeFields();
}

void PracticePage::computeSeal() {
    readFields();
    const SealChance c = sealChance(seal_[0].value, seal_[1].value, seal_[2].value, seal_[3].value);
    chanceWithout_ = percentText(c.withoutCultivation);
    chanceWith_ = percentText(c.withCultivation);
    p_ = c.withCultivation;
    simulate();
    writeFields();
}

void PracticePage::simulate() {
    casts_.clear();
    int won = 0;
    // Reseeded on every run: two runs within one second draw the same casts.
    rand_.seed(static_cast<std::uint32_t>(context_.clock().now()));
    for (int i = 1; i <= kCasts; ++i) {
        const int r = rand_.next();
        const bool success = r / 32768.0 < p_;
        casts_.push_back(std::to_string(i) + (success ? ".成功" : ".失败"));
        if (success)
            ++won;
    }
    successes_ = std::to_string(won);
    failures_ = std::to_string(kCasts - won);
}

void PracticePage::chooseKind(CultivationKind kind) {
    kind_ = kind;
    if (kind == CultivationKind::Hunting) {
        if (current_.value > 20)
            current_.value = 20;
        if (target_.value > 20)
            target_.value = 20;
        writeFields();
    }
    computeCost();
}

void PracticePage::editCurrent(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    if (!acceptLevel(current_, text, maxLevel()))
        return selectField("当前等级", false);
    if (target_.value < current_.value)
        target_.value = current_.value;
    writeFields();
    computeCost();
}

void PracticePage::editTarget(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    if (!acceptLevel(target_, text, maxLevel()))
        return selectField("目标等级", false);
    computeCost();
}

void PracticePage::editExperience(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    typeInto(experience_, text);
    computeCost();
}

void PracticePage::chooseMode(int mode) {
    mode_ = mode == 1 ? 1 : 0;
    computeDamage();
}

void PracticePage::editDamage(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    typeInto(damageBase_, text);
    computeDamage();
}

void PracticePage::editDamageLevel(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    typeInto(damageLevel_, text);
    computeDamage();
}

void PracticePage::editSeal(int field, const std::string& text) {
    if (field < 0 || field >= 4 || !isDigitsOnly(text))
        return;
    typeInto(seal_[field], text);
    computeSeal();
}

}  // namespace kalvix
