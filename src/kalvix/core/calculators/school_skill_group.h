#pragma once
// One 师门技能 calculator: experience and money from a current to a target school skill
// level. The 技能 page has one, its detail dialog seven.

#include <cstdint>
#include <string>

#include "kalvix/core/calculators/number_field.h"
#include "kalvix/core/page/field_exchange.h"

namespace kalvix {

class Catalogue;

class SchoolSkillGroup {
  public:
    static constexpr std::int32_t kMaxLevel = 180;

    NumberField current;
    NumberField target;
    std::int64_t experience = 0;  // 需要经验
    std::int64_t money = 0;       // 需要金钱

    // Declares both levels to the page's field exchange. A level left out of range by the
    // validation is read as the nearest bound, so the cost tables are never read outside
    // their 181 entries.
    void declareFields(FieldExchange& fields, const std::string& prefix);
    // Validation and follow-up of a typed 当前等级: false when refused (nothing to compute).
    bool editCurrent(const std::string& text);
    bool editTarget(const std::string& text);
    void compute(const Catalogue& catalogue);
};

}  // namespace kalvix
