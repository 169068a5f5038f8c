#pragma once
// The closed formulas of the 修炼 page: cultivation cost, damage effect and seal chance.

#include <cstdint>
#include <string>

namespace kalvix {

enum class CultivationKind { Attack = 0, Defence = 1, Magic = 2, Resistance = 3, Hunting = 4 };

struct CultivationCost {
    std::string levelRequired;         // 等级要求, empty when there is nothing to raise
    std::string money;                 // 耗费金钱
    std::int32_t funds = 0;            // 耗费资财
    std::int32_t contributionCap = 0;  // 需要帮贡上限
    std::int32_t experience = 0;       // 需要修炼经验
};

// Levels are taken within 0..25 (what the fields allow at most).
CultivationCost cultivationCost(CultivationKind kind, std::int32_t current, std::int32_t target,
                                std::int32_t experience);

// x^n by binary exponentiation, every product rounded to a 32-bit float.
float powerFloat(float x, std::int64_t n);
// x^n by binary exponentiation in double precision.
double powerDouble(double x, std::int64_t n);

struct DamageEffect {
    std::int64_t result = 0;        // 结果伤害
    std::int64_t advantage = 0;     // 五行正克
    std::int64_t disadvantage = 0;  // 五行被克
};

// mode 0: 攻击/法术, mode 1: 防御/法抗.
DamageEffect damageEffect(int mode, std::int32_t damage, std::int32_t level);

struct SealChance {
    double withoutCultivation = 0;  // p0
    double withCultivation = 0;     // p
};

SealChance sealChance(std::int32_t skill, std::int32_t magic, std::int32_t level,
                      std::int32_t resistance);

// "%3.4f%%" of 100 x p.
std::string percentText(double p);

}  // namespace kalvix
