#include "kalvix/core/calculators/school_skill_group.h"

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

void SchoolSkillGroup::declareFields(FieldExchange& fields, const std::string& prefix) {
    fields.addInt(prefix + "当前等级", current.text, current.value)
        .within(0, kMaxLevel, OutOfRange::Clamp);
    fields.addInt(prefix + "目标等级", target.text, target.value)
        .within(0, kMaxLevel, OutOfRange::Clamp);
}

bool SchoolSkillGroup::editCurrent(const std::string& text) {
    if (!acceptLevel(current, text, kMaxLevel))
        return false;
    if (target.value < current.value)
        target.value = current.value;
    return true;
}

bool SchoolSkillGroup::editTarget(const std::string& text) {
    return acceptLevel(target, text, kMaxLevel);
}

void SchoolSkillGroup::compute(const Catalogue& catalogue) {
    const std::int32_t c = current.value;
    const std::int32_t t = target.value;
    if (t < c) {
        experience = money = 0;
        return;
    }
    const auto& a = catalogue.schoolSkillCost;
    experience = a[t].experience - a[c].experience;
    money = a[t].money - a[c].money;
}

}  // namespace kalvix
