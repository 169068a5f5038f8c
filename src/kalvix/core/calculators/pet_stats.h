#pragma once
// The pet attribute formulas of the 召唤兽 page's allocation simulator.

#include <cstdint>
#include <string_view>

namespace kalvix {

// The inputs as stored: aptitudes, effective attributes (base + added), level and growth.
struct PetInputs {
    std::int32_t attackApt = 0, defenceApt = 0, staminaApt = 0, manaApt = 0, speedApt = 0;
    std::int32_t con = 0, mag = 0, str = 0, end = 0, agi = 0;
    std::int32_t level = 0;
    float growth = 0;
};

std::int64_t petHp(const PetInputs& in);       // 气血
std::int64_t petMp(const PetInputs& in);       // 魔法
std::int64_t petAttack(const PetInputs& in);   // 攻击
std::int64_t petDefence(const PetInputs& in);  // 防御
std::int64_t petSpeed(const PetInputs& in);    // 速度
std::int64_t petSpirit(const PetInputs& in);   // 灵力

// The real number a text begins with (atof-like: blanks, sign, digits, point, exponent);
// 0 when there is none.
double leadingReal(std::string_view text);

}  // namespace kalvix
