#pragma once
// The mission reward formulas of the 任务 page, from the character level L and a few options.
// An empty text is a reward whose level condition is not met.

#include <cstdint>
#include <string>

namespace kalvix {

struct SchoolMissionReward {
    std::int32_t experience = 0;
    std::int32_t money = 0;
};
SchoolMissionReward schoolMission(std::int32_t level, bool twoRounds, bool doubled, bool tripled);

struct MasterMissionReward {
    std::string masterMoney;      // 可得金钱
    std::string apprenticeMoney;  // 徒弟金钱
    std::string apprenticeExp;    // 徒弟经验
};
MasterMissionReward masterMission(std::int32_t level, std::int32_t apprentice, bool twoRounds);

// Rings from..to of the mission chain; bracket 0, 1 or 2 of the total experience.
std::int32_t chainExperience(std::int32_t level, std::int32_t from, std::int32_t to, int bracket);

}  // namespace kalvix
