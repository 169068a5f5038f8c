#include "kalvix/core/calculators/practice_formulas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kalvix {
namespace {

std::int32_t cube(std::int32_t x) {
    return x * x * x + 6 * x * x + 38 * x;
}

// floor(x + 0.5) as an integer; saturates where a value typed far outside the field's range
// would leave the integers.
std::int64_t roundHalfUp(double x) {
    const double r = std::floor(x + 0.5);
    if (!(r < 9.0e18))
        return INT64_MAX;
    if (!(r > -9.0e18))
        return INT64_MIN;
    return static_cast<std::int64_t>(r);
}

}  // namespace

CultivationCost cultivationCost(CultivationKind kind, std::int32_t current, std::int32_t target,
                                std::int32_t experience) {
    CultivationCost cost;
    const std::int32_t c = std::clamp(current, 0, 25);
    const std::int32_t t = std::clamp(target, 0, 25);
    if (c >= t || (kind == CultivationKind::Hunting && t > 20))
        return cost;
    std::int32_t u = (cube(t) - cube(c)) / 3 - experience / 10;
    if (u <= 0)
        u = 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, ">=%d级", 5 * t + 20);
    cost.levelRequired = buf;
    const bool cheap = kind == CultivationKind::Defence || kind == CultivationKind::Resistance;
    std::snprintf(buf, sizeof buf, "%ld 万", static_cast<long>(cheap ? u * 2 : u * 3));
    cost.money = buf;
    cost.funds = 5 * u;
    cost.contributionCap = 150 * t;
    cost.experience = 10 * u;
    return cost;
}

float powerFloat(float x, std::int64_t n) {
    float e = 1.0f;
    while (n > 0) {
        if (n & 1)
            e = e * x;
        n >>= 1;
        if (n == 0)
            break;
        x = x * x;
    }
    return e;
}

double powerDouble(double x, std::int64_t n) {
    double e = 1.0;
    while (n > 0) {
        if (n & 1)
            e = e * x;
        n >>= 1;
        if (n == 0)
            break;
        x = x * x;
    }
    return e;
}

DamageEffect damageEffect(int mode, std::int32_t damage, std::int32_t level) {
    const float f = mode == 0 ? 1.02f : 0.98f;
    const float q = powerFloat(f, std::max(level, 0));
    const double x = (static_cast<double>(damage) + 250) * static_cast<double>(q) - 250;
    DamageEffect d;
    if (x < 0)
        return d;
    d.result = roundHalfUp(x);
    d.advantage = roundHalfUp(1.2 * x);
    d.disadvantage = roundHalfUp(0.8 * x);
    return d;
}

SealChance sealChance(std::int32_t skill, std::int32_t magic, std::int32_t level,
                      std::int32_t resistance) {
    const std::int64_t s = skill, m = magic, l = level, r = resistance;
    double p = 1;
    if (m > r)
        p = powerDouble(1.02, m - r);
    else if (m < r)
        p = powerDouble(0.98, r - m);
    double g = 0;
    if (s <= l)
        g = powerDouble(0.9, l - s);
    else
        g = 1 + 0.63375 * (1 - powerDouble(0.975, s - l));
    SealChance c;
    c.withoutCultivation = std::min(1.0, 0.6 * g);
    c.withCultivation = std::min(1.0, 0.6 * g * p);
    return c;
}

std::string percentText(double p) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%3.4f%%", 100 * p);
    return buf;
}

}  // namespace kalvix
