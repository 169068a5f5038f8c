#pragma once
// The 任务 page: rewards of nine kinds of missions from the character level. Its level list
// is the second writer of the shared current level.

#include <cstdint>
#include <string>

#include "kalvix/core/calculators/number_field.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class MissionPage : public PageModel {
  public:
    static constexpr int kMaxLevel = 175;
    static constexpr int kFirstApprentice = 15;
    static constexpr int kLastApprentice = 49;

    explicit MissionPage(PageContext& context);
    std::string title() const override { return "任务"; }

    void chooseLevel(int level);  // 当前等级 (also the main window's call when the tab is shown)
    void setSchoolTwoRounds(bool on);
    void setDoubled(bool on);
    void setTripled(bool on);
    void setMasterTwoRounds(bool on);
    void chooseApprentice(int index);  // position in 徒弟等级
    void editFrom(const std::string& text);
    void editTo(const std::string& text);
    void chooseBracket(int bracket);

    int level() const { return level_; }
    bool tripledEnabled() const { return level_ < 40; }
    bool tripled() const { return tripled_; }
    // Result texts by caption.
    std::string result(const std::string& caption) const;

  private:
    PageContext& context_;
    void computeSchool();
    void computeMaster();
    void computeOthers();
    void computeChain();

    int level_ = 0;
    bool schoolTwo_ = true;
    bool doubled_ = true;
    bool tripled_ = true;
    bool masterTwo_ = true;
    int apprenticeIndex_ = 0;
    NumberField from_{"1", 1};
    NumberField to_{"300", 300};
    int bracket_ = 0;

    std::string schoolExp_, schoolMoney_;
    std::string masterMoney_, apprenticeMoney_, apprenticeExp_;
    std::string festivalExp_, festivalMoney_;
    std::string examExp_;
    std::string qinglong_, xuanwu_;
    std::string newXuanwuExp_, newXuanwuContribution_, newXuanwuFunds_;
    std::string chainExp_;
    std::string quizExp_;
    std::string communityExp_, communityMoney_, communityExtra_;
};

}  // namespace kalvix
