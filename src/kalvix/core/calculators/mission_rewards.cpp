#include "kalvix/core/calculators/mission_rewards.h"

#include <algorithm>

namespace kalvix {

SchoolMissionReward schoolMission(std::int32_t l, bool twoRounds, bool doubled, bool tripled) {
    std::int32_t e = 0;
    double m = 0;
    if (l < 20) {
        e = 0;
        m = 0;
    } else if (l <= 39) {
        e = 540 * l + 4250;
        m = 50 * l + 3600;
    } else if (l <= 69) {
        e = 660 * l + 16000;
        m = 275 * l + 18250;
    } else if (l <= 99) {
        e = 825 * l + 37500;
        m = 275 * l + 36500;
    } else if (l <= 155) {
        e = 825 * l + 77500;
        m = 220 * l + 75000;
    } else {
        e = 990 * l + 94000;
        m = 423.5 * l + 58294.5;
    }
    const std::int32_t r = twoRounds ? 2 : 1;
    const std::int32_t a = tripled ? 3 : doubled ? 2 : 1;
    const std::int32_t b = doubled ? 2 : 1;
    SchoolMissionReward reward;
    reward.experience = r * (a * e);
    reward.money = static_cast<std::int32_t>(b * m * r);
    return reward;
}

MasterMissionReward masterMission(std::int32_t l, std::int32_t p, bool twoRounds) {
    MasterMissionReward reward;
    if (l < 61)
        return reward;
    std::int32_t apprenticeMoney = 0, apprenticeExp = 0, masterMoney = 0;
    if (p <= 29) {
        apprenticeMoney = 210 * p + 14000;
        apprenticeExp = 1040 * p + 16900;
        masterMoney = 220 * l + 13850;
    } else if (p <= 39) {
        apprenticeMoney = 330 * p + 15500;
        apprenticeExp = 4500 * p - 84630;
        masterMoney = 330 * l + 15500;
    } else {
        apprenticeMoney = 330 * p + 38000;
        apprenticeExp = 1430 * p + 40800;
        masterMoney = 330 * l + 38000;
    }
    const std::int32_t k = twoRounds ? 2 : 1;
    reward.masterMoney = std::to_string(k * masterMoney);
    reward.apprenticeMoney = std::to_string(k * apprenticeMoney);
    reward.apprenticeExp = std::to_string(k * apprenticeExp);
    return reward;
}

std::int32_t chainExperience(std::int32_t level, std::int32_t from, std::int32_t to, int bracket) {
    // Rings outside 1..300 (a field left out of range) count as the nearest ring, which keeps
    // the loop short and the sum inside 32 bits.
    const std::int32_t a = std::clamp(from, 1, 300);
    const std::int32_t z = std::clamp(to, 1, 300);
    const std::int32_t b = 40 * level + 300;
    std::int32_t sum = 0;
    for (std::int32_t k = a; k <= z; ++k) {
        const std::int32_t i = k - 1;
        const std::int32_t m = i / 10 + i % 10;
        sum += static_cast<std::int32_t>((m * 0.5 + 1) * b);
    }
    const double factor = bracket == 1 ? 0.8 : bracket == 2 ? 0.5 : 1.0;
    return static_cast<std::int32_t>(sum * factor);
}

}  // namespace kalvix
