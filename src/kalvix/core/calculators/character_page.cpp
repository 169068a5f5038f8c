#include "kalvix/core/calculators/character_page.h"

#include <algorithm>
#include <cstdio>

#include "common/number_text.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {
namespace {

constexpr int kMaxLevel = kCharacterLevels - 1;  // 175

std::string str(std::int64_t v) {
    return std::to_string(v);
}

}  // namespace

CharacterPage::CharacterPage(PageContext& context)
    : context_(context), catalogue_(context.catalogue()) {
    addList(
        "当前等级", "comboLevel", [] { return numberItems(0, kMaxLevel); },
        [this] { return level_; }, [this](int i) { chooseLevel(i); });
    addButton("模拟加点", "buttonSimulation", [this] { open("人物模拟加点系统"); });
    addButton("符石模拟", "buttonRune", [this] { open("符石模拟"); });
    addButton("家具", "buttonFurniture", [this] { open("家具"); }).visible = [] { return false; };
    addResult("升级技能限制", "editSkillLimit", [this] { return skillLimit_; });
    addResult("携带金钱上限", "editMoneyCap", [this] { return str(moneyCap_); });
    addResult("在家训l练召唤兽等级", "editPetTraining", [this] { return petTraining_; });
    addResult("每天离线经验", "editOfflineExp", [this] { return str(offlineExp_); });
    addResult("获得经验", "editBirthdayExp", [this] { return str(birthdayExp_); });
    addResult("获得金钱", "editBirthdayMoney", [this] { return str(birthdayMoney_); });
    addList(
        "目标等级", "comboTarget", [this] { return targetItems(); },
        [this] { return targetIndex_; }, [this](int i) { chooseTarget(i); });
    addButton("等级-->经验.计算", "buttonLevelToExp", [this] {
        levelToExperience();
        writeFieldsBack();
    }).visible = [] { return false; };
    addResult("所需经验", "editNeededExp", [this] { return str(neededExp_); });
    addEdit(
        "当前经验", "editExperience", [this] { return experienceText_; },
        [this](const std::string& t) { editExperience(t); });
    addResult("可升级到", "editReachLevel", [this] { return str(reachLevel_); });
    addButton("经验-->等级.计算", "buttonExpToLevel", [this] {
        experienceToLevel();
        writeFieldsBack();
    }).visible = [] { return false; };
    addResult("剩余经验", "editRemainingExp", [this] { return str(remainingExp_); });
    // Every field is exchanged; only 当前经验 can hold a text that is not a number, the
    // result fields always hold what was last written into them.
    fields().addInt64("当前经验", experienceText_, experience_);

    // Opening: select the shared level and run the level change.
    chooseLevel(std::clamp(context_.sharedLevel(), 0, kMaxLevel));
}

std::vector<std::string> CharacterPage::targetItems() const {
    return numberItems(level_, kMaxLevel);
}

void CharacterPage::chooseLevel(int level) {
    if (level < 0 || level > kMaxLevel)
        return;
    const int oldTarget = level_ + targetIndex_;  // the text shown in 目标等级
    level_ = level;
    if (oldTarget < level_ || oldTarget == previousLevel_)
        targetIndex_ = 0;
    else
        targetIndex_ = oldTarget - level_;
    previousLevel_ = level_;
    context_.setSharedLevel(level_);
    levelToExperience();
    experienceToLevel();
    generalResults();
    writeFieldsBack();
}

void CharacterPage::chooseTarget(int index) {
    if (index < 0 || index > kMaxLevel - level_)
        return;
    targetIndex_ = index;
    levelToExperience();
    writeFieldsBack();
}

void CharacterPage::editExperience(const std::string& text) {
    experienceText_ = text;
    experience_ = common::leadingInteger(text);
    experienceToLevel();
    writeFieldsBack();
}

void CharacterPage::levelToExperience() {
    readFields();
    neededExp_ = catalogue_.characterExp[target()] - catalogue_.characterExp[level_];
}

void CharacterPage::experienceToLevel() {
    readFields();
    const auto& x = catalogue_.characterExp;
    int i = level_;
    while (i < kMaxLevel && x[i + 1] - x[level_] <= experience_)
        ++i;
    reachLevel_ = i;
    remainingExp_ = experience_ - (x[i] - x[level_]);
}

void CharacterPage::generalResults() {
    const std::int32_t l = level_;
    skillLimit_.clear();
    if (l >= 20 && l <= 119) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%d 级", l - l / 5 - 10);
        skillLimit_ = buf;
    }
    moneyCap_ = std::min<std::int64_t>((static_cast<std::int64_t>(l) * l + 5) * 2000, 20000000);
    const double p = ((l * 0.7) - 30) + 1;
    const auto pi = static_cast<std::int32_t>(p);
    petTraining_.clear();
    if (pi >= 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "召唤兽最少需要 %d 级", pi);
        petTraining_ = buf;
    }
    offlineExp_ = l < 60 ? 0 : static_cast<std::int64_t>(l) * 5000;
    birthdayExp_ = l < 30 ? 0 : static_cast<std::int64_t>(l) * l * 60;
    birthdayMoney_ = l < 30 ? 0 : static_cast<std::int64_t>(l) * l * 10;
}

void CharacterPage::writeFieldsBack() {
    // Writing E back replaces a refused text; the changed text is a change of the field like
    // any other, and it now parses, so the second pass settles.
    if (!writeFields().empty())
        experienceToLevel();
}

}  // namespace kalvix
