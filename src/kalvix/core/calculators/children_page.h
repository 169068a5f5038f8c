#pragma once
// The 孩子 page: the aptitude ranges a grown child can reach, what an upbringing item still
// adds, and three guide articles on the portal. It computes on its 计算 buttons.

#include <array>
#include <string>

#include "kalvix/core/calculators/children_formulas.h"
#include "kalvix/core/calculators/number_field.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class ChildrenPage : public PageModel {
  public:
    static constexpr std::int32_t kMaxWit = 100;
    enum Wit { Martial = 0, Magic, Temper, Physique };  // 武学, 法术, 心态, 体质
    static constexpr int kLinkCount = 3;

    explicit ChildrenPage(PageContext& context);
    std::string title() const override { return "孩子"; }

    void editWit(int wit, const std::string& text);
    void predict();  // 计算 ==>
    void chooseItem(int index);
    void editTotal(const std::string& text);
    void computeItemEffect();  // 计算
    void openLink(int link);

    // The address a link opens.
    static std::string linkAddress(int link);
    static const char* witCaption(int wit);

    const ChildAptitudes& aptitudes() const { return aptitudes_; }

  private:
    std::array<NumberField, 4> wits_{};
    NumberField total_;
    ChildAptitudes aptitudes_{};
    int item_ = 0;
    std::string nominal_;
    std::string actual_;
};

}  // namespace kalvix
