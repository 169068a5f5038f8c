#pragma once
// The 技能 page: school skill costs, guild skill research time, auxiliary skill costs, and
// the detail dialog with seven school skills.

#include <cstdint>
#include <string>

#include "kalvix/core/calculators/number_field.h"
#include "kalvix/core/calculators/school_skill_group.h"
#include "kalvix/core/calculators/skill_detail_page.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class Catalogue;

class SkillPage : public PageModel {
  public:
    static constexpr std::int32_t kResearchMaxCurrent = 150;
    static constexpr std::int32_t kResearchMaxTarget = 160;
    static constexpr std::int32_t kAcademyMax = 28;
    static constexpr std::int32_t kGuildAuxMax = 160;
    static constexpr std::int32_t kNpcAuxMax = 40;

    explicit SkillPage(PageContext& context);
    explicit SkillPage(const Catalogue& catalogue);
    std::string title() const override { return "技能"; }

    void editSchoolCurrent(const std::string& text);
    void editSchoolTarget(const std::string& text);
    void editResearchCurrent(const std::string& text);
    void editResearchTarget(const std::string& text);
    void editAcademy(const std::string& text);
    void editAuxCurrent(const std::string& text);
    void editAuxTarget(const std::string& text);
    void chooseGuild();  // 在帮派学习
    void chooseNpc();    // 向NPC学习

    // The detail dialog lives as long as the page, so its inputs stay between openings.
    SkillDetailPage& detail() { return detail_; }

    const SchoolSkillGroup& school() const { return school_; }
    std::int32_t researchPower() const { return researchPower_; }
    const std::string& researchTime() const { return researchTime_; }
    bool guildMode() const { return guild_; }
    std::int32_t auxExperience() const { return auxExp_; }
    std::int32_t auxMoney() const { return auxMoney_; }
    std::int32_t auxContribution() const { return auxContribution_; }
    std::int32_t auxContributionNeeded() const { return auxContributionNeeded_; }
    std::int32_t auxPopularity() const { return auxPopularity_; }

  private:
    std::int32_t auxMax() const { return guild_ ? kGuildAuxMax : kNpcAuxMax; }
    void computeSchool();
    void computeResearch();
    void computeAux();

    const Catalogue& catalogue_;
    SkillDetailPage detail_;

    SchoolSkillGroup school_;
    NumberField researchCurrent_;
    NumberField researchTarget_;
    NumberField academy_;
    std::int32_t researchPower_ = 2000;
    std::string researchTime_;
    bool guild_ = true;
    NumberField auxCurrent_;
    NumberField auxTarget_;
    std::int32_t auxExp_ = 0;
    std::int32_t auxMoney_ = 0;
    std::int32_t auxContribution_ = 0;
    std::int32_t auxContributionNeeded_ = 0;
    std::int32_t auxPopularity_ = 0;
};

}  // namespace kalvix
