#include "kalvix/core/catalogue/school_skill_bonus.h"

#include "common/truncation.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace kalvix {
namespace {

using common::truncToInt;

std::int32_t saturate(std::int64_t value) {
    return common::clampToInt32(value);
}

// ((L+1)×a)×L×0.5 + L×b, in exactly this order.
double q(double level, double a, double b) {
    double v = (level + 1.0) * a;
    v = v * level;
    v = v * 0.5;
    return v + level * b;
}

struct DamageRule {
    double a;
    double b;
    std::int32_t d;
};

// Slot-4 constants by school number race×10+school.
DamageRule damageRule(int school) {
    switch (school) {
        case 11:
            return {0.01384207, 2.491963365, 20};
        case 12:
            return {0.019, 2.134, 5};
        case 13:
            return {0.02, 1.99, 15};
        case 14:
            return {0.0101199, 1.99784805, 25};
        case 21:
            return {0.02, 2.49, 25};
        case 22:
            return {0.02, 1.99, 20};
        case 23:
            return {0.0204, 1.46, 30};
        case 24:
            return {0.0173221497359428, 2.16, 20};
        case 31:
            return {0.00792, 2.069, 30};
        case 32:
            return {0.0188, 2.114, 30};
        case 33:
            return {0.0204, 2.46, 50};
        default:
            return {0.0108, 3.285, 35};  // 34 盘丝洞
    }
}

constexpr int kDTGF = 11;  // 大唐官府
constexpr int kNEC = 14;   // 女儿村
constexpr int kTG = 21;    // 天宫
constexpr int kWZG = 23;   // 五庄观
constexpr int kPSD = 34;   // 盘丝洞

bool validSchool(int raceIndex, int schoolIndex) {
    return raceIndex >= 0 && raceIndex < kRaces && schoolIndex >= 0 &&
           schoolIndex < kSchoolsPerRace;
}

}  // namespace

std::int32_t schoolSkillHitShare(int raceIndex, int schoolIndex, std::int32_t hitBonus) {
    if (!validSchool(raceIndex, schoolIndex))
        return 0;
    const int school = (raceIndex + 1) * 10 + schoolIndex + 1;
    if (school == kDTGF)
        return hitBonus / 3;
    if (school == kPSD)
        return truncToInt(hitBonus / 8.3);
    return 0;
}

std::int32_t schoolSkillBonus(int raceIndex, int schoolIndex, int slot, std::int32_t level,
                              const SkillBonusInputs& inputs) {
    if (!validSchool(raceIndex, schoolIndex))
        return 0;
    const int school = (raceIndex + 1) * 10 + schoolIndex + 1;
    const double L = level > 0 ? level : 0;
    switch (slot) {
        case 1:
            return school == kTG ? truncToInt(L * (inputs.baseHP * 0.003)) : 0;
        case 2:
            return school == kWZG ? truncToInt(L * (inputs.baseMP * 0.005)) : 0;
        case 3:
            if (school == kDTGF)
                return truncToInt(q(L, 0.02, 0.99));
            if (school == kPSD)
                return saturate(static_cast<std::int64_t>(L) * 3);
            return 0;
        case 4: {
            const DamageRule rule = damageRule(school);
            const double seed = schoolSkillHitShare(raceIndex, schoolIndex, inputs.hitBonus);
            std::int64_t bonus = truncToInt(q(L, rule.a, rule.b) + seed);
            if (L > 0)
                bonus += rule.d;
            return saturate(bonus);
        }
        case 5: {
            double v = (L + 1.0) * 0.0138;
            v = v * L;
            v = v * 0.5;
            return truncToInt(L + v);
        }
        case 6:
            return school == kNEC ? truncToInt(q(L, 0.00238, 0.981)) : 0;
        case 7:
            return truncToInt(q(L, 0.02, 1.99));
        case 8:
            return school == kPSD ? truncToInt(q(L, 0.01404, 0.48))
                                  : truncToInt(q(L, 0.00889, 0.491));
        default:
            return 0;
    }
}

std::array<std::int32_t, kSchoolSkillSlots> schoolSkillBonuses(
    int raceIndex, int schoolIndex, const std::array<std::int32_t, kSchoolSkillSlots>& levels,
    std::int32_t baseHP, std::int32_t baseMP) {
    std::array<std::int32_t, kSchoolSkillSlots> bonus{};
    SkillBonusInputs inputs{baseHP, baseMP, 0};
    for (int slot = 1; slot <= kSchoolSkillSlots; ++slot) {
        bonus[slot - 1] = schoolSkillBonus(raceIndex, schoolIndex, slot, levels[slot - 1], inputs);
        if (slot == 3)
            inputs.hitBonus = bonus[2];
    }
    return bonus;
}

}  // namespace kalvix
