#pragma once
// The 修炼 page: cultivation cost, the damage effect of a cultivation level, and the seal
// chance with a simulation of 100 casts.

#include <cstdint>
#include <string>
#include <vector>

#include "kalvix/core/calculators/classic_rand.h"
#include "kalvix/core/calculators/number_field.h"
#include "kalvix/core/calculators/practice_formulas.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class PracticePage : public PageModel {
  public:
    static constexpr int kCasts = 100;

    explicit PracticePage(PageContext& context);
    std::string title() const override { return "修炼"; }

    void chooseKind(CultivationKind kind);
    void editCurrent(const std::string& text);
    void editTarget(const std::string& text);
    void editExperience(const std::string& text);
    void chooseMode(int mode);
    void editDamage(const std::string& text);
    void editDamageLevel(const std::string& text);
    // 0 自己技能等级, 1 法术修炼, 2 对方等级, 3 法抗修炼
    void editSeal(int field, const std::string& text);
    void simulate();  // 封印模拟

    CultivationKind kind() const { return kind_; }
    const CultivationCost& cost() const { return cost_; }
    int mode() const { return mode_; }
    const DamageEffect& damage() const { return damage_; }
    const std::string& chanceWithout() const { return chanceWithout_; }
    const std::string& chanceWith() const { return chanceWith_; }
    double chance() const { return p_; }
    const std::vector<std::string>& casts() const { return casts_; }
    const std::string& successes() const { return successes_; }
    const std::string& failures() const { return failures_; }

  private:
    std::int32_t maxLevel() const { return kind_ == CultivationKind::Hunting ? 20 : 25; }
    void computeCost();
    void computeDamage();
    void computeSeal();

    CultivationKind kind_ = CultivationKind::Attack;
    NumberField current_;
    NumberField target_;
    NumberField experience_;
    CultivationCost cost_;

    int mode_ = 0;
    NumberField damageBase_;
    NumberField damageLevel_{"25", 25};
    DamageEffect damage_;

    NumberField seal_[4];
    std::string chanceWithout_;
    std::string chanceWith_;
    double p_ = 0;  // the chance with cultivation, which the simulation draws against
    std::vector<std::string> casts_;
    std::string successes_;
    std::string failures_;
    ClassicRand rand_;
    const PageContext& context_;  // its clock seeds the simulation
};

}  // namespace kalvix
