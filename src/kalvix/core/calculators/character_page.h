#pragma once
// The 人物 page: level limits and rewards, experience to a target level, and the level a
// given amount of experience reaches.

#include <cstdint>
#include <string>
#include <vector>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class Catalogue;

class CharacterPage : public PageModel {
  public:
    explicit CharacterPage(PageContext& context);

    std::string title() const override { return "人物"; }

    // User actions (also reachable through the controls).
    void chooseLevel(int level);                   // 当前等级
    void chooseTarget(int index);                  // 目标等级, position in its list
    void editExperience(const std::string& text);  // 当前经验

    int level() const { return level_; }
    int target() const { return level_ + targetIndex_; }
    std::vector<std::string> targetItems() const;
    const std::string& experienceText() const { return experienceText_; }

    // Result field texts.
    std::string skillLimit() const { return skillLimit_; }
    std::int64_t moneyCap() const { return moneyCap_; }
    std::string petTraining() const { return petTraining_; }
    std::int64_t offlineExp() const { return offlineExp_; }
    std::int64_t birthdayExp() const { return birthdayExp_; }
    std::int64_t birthdayMoney() const { return birthdayMoney_; }
    std::int64_t neededExp() const { return neededExp_; }
    std::int32_t reachLevel() const { return reachLevel_; }
    std::int64_t remainingExp() const { return remainingExp_; }

  private:
    PageContext& context_;
    void levelToExperience();
    void experienceToLevel();
    void generalResults();
    void writeFieldsBack();

    const Catalogue& catalogue_;
    int level_ = 0;          // index of 当前等级 = the level
    int previousLevel_ = 0;  // the level before the last level change
    int targetIndex_ = 0;    // position in 目标等级, whose entries run from level_ to 175
    std::string experienceText_ = "0";

    std::int64_t experience_ = 0;  // E
    std::string skillLimit_;
    std::int64_t moneyCap_ = 0;
    std::string petTraining_;
    std::int64_t offlineExp_ = 0;
    std::int64_t birthdayExp_ = 0;
    std::int64_t birthdayMoney_ = 0;
    std::int64_t neededExp_ = 0;
    std::int32_t reachLevel_ = 0;
    std::int64_t remainingExp_ = 0;
};

}  // namespace kalvix
