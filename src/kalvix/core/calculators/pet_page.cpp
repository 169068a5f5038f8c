#include "kalvix/core/calculators/pet_page.h"

#include <algorithm>
#include <cstdio>

#include "kalvix/core/calculators/number_field.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {
namespace {

const std::string kExpGroup = "召唤兽升级经验.";
const std::string kCultGroup = "召唤兽修炼(宝宝环).";
const char* const kSpeedCaptions[2] = {"自己速度", "对方速度"};
const char* const kCultError = "输入的当前经验有误,请确认";

// Experience from cultivation level i to i + 1.
std::int64_t cultivationStep(int i) {
    return 10LL * i * i + 50LL * i + 150;
}

}  // namespace

PetPage::PetPage(PageContext& context) : PetPage(context.catalogue()) {}

PetPage::PetPage(const Catalogue& catalogue) : catalogue_(catalogue) {
    for (int f = 0; f < 2; ++f)
        addEdit(
            kSpeedCaptions[f], f == 0 ? "editOwnSpeed" : "editFoeSpeed",
            [this, f] { return speedText_[f]; },
            [this, f](const std::string& t) { editSpeed(f, t); });
    addResult("乱敏机率", "editChaos", [this] { return chaos_; });

    addList(
        kExpGroup + "从", "comboExpFrom", [] { return numberItems(0, kMaxPetLevel); },
        [this] { return expFrom_; }, [this](int i) { chooseExpFrom(i); });
    addList(
        kExpGroup + "到", "comboExpTo", [this] { return numberItems(expFrom_, kMaxPetLevel); },
        [this] { return expTo_ - expFrom_; }, [this](int i) { chooseExpTo(i); });
    addResult("需要经验", "editExpNeeded", [this] { return expNeeded_; });

    addList(
        kCultGroup + "从", "comboCultFrom", [] { return numberItems(0, kMaxCultivation); },
        [this] { return cultFrom_; }, [this](int i) { chooseCultFrom(i); });
    addList(
        kCultGroup + "到", "comboCultTo",
        [this] { return numberItems(cultFrom_, kMaxCultivation); },
        [this] { return cultTo_ - cultFrom_; }, [this](int i) { chooseCultTo(i); });
    addEdit(
        "当前经验", "editCultExp", [this] { return cultExpText_; },
        [this](const std::string& t) { editCultExp(t); });
    addResult("还需经验", "editCultRemaining", [this] { return cultRemaining_; });
    addResult("还需经验.text", "textCultNote", [this] { return cultNote_; });

    addList(
        "召唤兽等级", "comboPetLevel", [] { return numberItems(0, kMaxPetLevel); },
        [this] { return petLevel_; }, [this](int i) { choosePetLevel(i); });
    addEdit(
        "成长率", "editGrowth", [this] { return growthText_; },
        [this](const std::string& t) { editGrowth(t); });
    const char* const aptCaptions[6] = {"资质.攻击", "资质.防御", "体力",
                                        "资质.法力", "资质.速度", "躲闪"};
    const char* const aptIds[6] = {"editAptAttack", "editAptDefence", "editAptStamina",
                                   "editAptMana",   "editAptSpeed",   "editAptDodge"};
    for (int a = 0; a < 6; ++a)
        addEdit(
            aptCaptions[a], aptIds[a], [this, a] { return aptitudeText_[a]; },
            [this, a](const std::string& t) { editAptitude(a, t); });
    const char* const attrIds[5] = {"editCon", "editMag", "editStr", "editEnd", "editAgi"};
    const char* const attrKeys[5] = {"Con", "Mag", "Str", "End", "Agi"};
    const int steps[4] = {-5, -1, 1, 5};
    const char* const stepIds[4] = {"M5", "M1", "P1", "P5"};
    for (int i = 0; i < 5; ++i) {
        addEdit(
            attributeCaption(i), attrIds[i], [this, i] { return attributeText_[i]; },
            [this, i](const std::string& t) { editAttribute(i, t); });
        for (int s = 0; s < 4; ++s) {
            const int n = steps[s];
            addButton(buttonCaption(i, n), std::string("button") + attrKeys[i] + stepIds[s],
                      [this, i, n] { step(i, n); })
                .enabled = [this, i, s] { return stepEnabled_[i][s]; };
        }
    }
    addEdit(
        "潜能", "editPotential", [this] { return potentialText_; },
        [this](const std::string& t) { editPotential(t); });
    addButton("重置点数", "buttonReset", [this] { resetPoints(); }).enabled = [this] {
        return resetEnabled_;
    };
    addButton("清空", "buttonClear", [this] { clearAll(); });
    addRadio(
        "比例加点", "radioRatio", [this] { return quickMode_ == 0; },
        [this] { chooseQuickMode(0); });
    addRadio(
        "数值加点", "radioValue", [this] { return quickMode_ == 1; },
        [this] { chooseQuickMode(1); });
    const char* const quickIds[5] = {"editQuickCon", "editQuickMag", "editQuickStr", "editQuickEnd",
                                     "editQuickAgi"};
    for (int i = 0; i < 5; ++i)
        addEdit(
            quickCaption(i), quickIds[i], [this, i] { return quickText_[i]; },
            [this, i](const std::string& t) { editQuick(i, t); });
    addResult("合计", "editQuickSum", [this] { return sumText_; });
    addButton("快速加点", "buttonQuick", [this] { quickAllocate(); }).enabled = [this] {
        return quickEnabled_;
    };

    const char* const resultCaptions[6] = {"气血",      "魔法",      "结果.攻击",
                                           "结果.防御", "结果.速度", "灵力"};
    const char* const resultIds[6] = {"editHp",      "editMp",    "editAttack",
                                      "editDefence", "editSpeed", "editSpirit"};
    for (int r = 0; r < 6; ++r)
        addResult(resultCaptions[r], resultIds[r], [this, r] { return results_[r]; });

    // Opening: both experience groups compute once, the results follow the (empty) inputs,
    // and putting 0 into 成长率 runs its check.
    computeExp();
    computeCultivation();
    added_.fill(0);
    potentialChange_ = 0;
    computeAllResults();
    editGrowth(growthText_);
}

std::string PetPage::attributeCaption(int a) {
    static const char* const names[5] = {"体质", "法力", "力量", "耐力", "敏捷"};
    return std::string("属性.") + names[a];
}

std::string PetPage::quickCaption(int a) {
    static const char* const names[5] = {"体质", "法力", "力量", "耐力", "敏捷"};
    return std::string("剩余潜能快速加点.") + names[a];
}

std::string PetPage::buttonCaption(int a, int n) {
    static const char* const names[5] = {"体质", "法力", "力量", "耐力", "敏捷"};
    return std::string(names[a]) + "." + (n > 0 ? "+" : "-") + std::to_string(n > 0 ? n : -n);
}

std::string PetPage::text(const std::string& caption) const {
    const Control* c = find(caption);
    return c && c->text ? c->text() : std::string();
}

bool PetPage::isEnabled(const std::string& caption) const {
    const Control* c = find(caption);
    return c && c->isEnabled();
}

// --- 乱敏

void PetPage::editSpeed(int field, const std::string& text) {
    if (field < 0 || field > 1 || !isDigitsOnly(text))
        return;
    speedText_[field] = text;
    if (common::leadingInteger(text) >= 10000)
        return selectField(kSpeedCaptions[field], true);
    computeChaos();
}

void PetPage::computeChaos() {
    const std::int64_t own = common::leadingInteger(speedText_[0]);
    const std::int64_t foe = common::leadingInteger(speedText_[1]);
    if (own < 5 || own > 9999 || foe < 5 || foe > 9999)
        return;
    const std::int32_t hi = static_cast<std::int32_t>(std::max(own, foe));
    const std::int32_t lo = static_cast<std::int32_t>(std::min(own, foe));
    if (lo < 0.7 * hi) {
        chaos_ = "不会乱敏";
        return;
    }
    const std::int32_t d = 10 * lo - 7 * hi;
    const double p = (d + 1.0) * 100 * d / (18.0 * lo * hi);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%2.3f%%", p);
    chaos_ = buf;
}

// --- pet experience

void PetPage::chooseExpFrom(int level) {
    if (level < 0 || level > kMaxPetLevel)
        return;
    expFrom_ = level;
    if (expTo_ < expFrom_)
        expTo_ = expFrom_;
    computeExp();
}

void PetPage::chooseExpTo(int index) {
    if (index < 0 || expFrom_ + index > kMaxPetLevel)
        return;
    expTo_ = expFrom_ + index;
    computeExp();
}

void PetPage::computeExp() {
    expNeeded_ = std::to_string(catalogue_.petExp[expTo_] - catalogue_.petExp[expFrom_]);
}

// --- pet cultivation

void PetPage::chooseCultFrom(int level) {
    if (level < 0 || level > kMaxCultivation)
        return;
    cultFrom_ = level;
    if (cultTo_ < cultFrom_)
        cultTo_ = cultFrom_;
    computeCultivation();
}

void PetPage::chooseCultTo(int index) {
    if (index < 0 || cultFrom_ + index > kMaxCultivation)
        return;
    cultTo_ = cultFrom_ + index;
    computeCultivation();
}

void PetPage::editCultExp(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    cultExpText_ = text;
    computeCultivation();
}

void PetPage::computeCultivation() {
    const std::int64_t cur = common::leadingInteger(cultExpText_);
    // At the top level there is no step left to hold experience in: any experience is wrong.
    const std::int64_t limit = cultFrom_ < kMaxCultivation ? cultivationStep(cultFrom_) : 1;
    if (cur >= limit) {
        cultRemaining_.clear();
        cultNote_ = kCultError;
        showStatus(kCultError);
        selectField("当前经验", true);
        return;
    }
    std::int64_t s = 0;
    for (int i = cultFrom_; i < cultTo_; ++i)
        s += cultivationStep(i);
    const std::int64_t remaining = s - cur;
    cultRemaining_ = std::to_string(remaining);
    const std::int64_t level = std::max<std::int64_t>(70, 5 * cultTo_ + 20);
    const std::int64_t runs = (remaining + 759) / 760;
    char buf[96];
    std::snprintf(buf, sizeof buf, "人物%d级\t\t\n需跑约%d次100环", static_cast<int>(level),
                  static_cast<int>(runs));
    cultNote_ = buf;
    showStatus("");
}

}  // namespace kalvix
