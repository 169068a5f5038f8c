#pragma once
// The 师门技能详细计算 dialog: seven 师门技能 calculators side by side.

#include <array>
#include <string>

#include "kalvix/core/calculators/school_skill_group.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class Catalogue;

class SkillDetailPage : public PageModel {
  public:
    static constexpr int kGroups = 7;

    explicit SkillDetailPage(PageContext& context);
    explicit SkillDetailPage(const Catalogue& catalogue);
    std::string title() const override { return "师门技能详细计算"; }

    // group 0..6
    void editCurrent(int group, const std::string& text);
    void editTarget(int group, const std::string& text);
    const SchoolSkillGroup& group(int g) const { return groups_[g]; }

    // Enter: reads the fields; true when the dialog may close.
    bool accept();

  private:
    static std::string prefix(int g);
    void compute(int g);

    const Catalogue& catalogue_;
    std::array<SchoolSkillGroup, kGroups> groups_;
};

}  // namespace kalvix
