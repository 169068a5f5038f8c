#include "kalvix/core/calculators/pet_stats.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace kalvix {
namespace {

// 32-bit products wrap as the game's integers do, without undefined behaviour.
std::int32_t mul32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// Truncation toward zero; saturates where a growth typed far outside its range would leave
// the integers.
std::int64_t trunc64(double x) {
    if (std::isnan(x))
        return 0;
    if (x >= 9.0e18)
        return INT64_MAX;
    if (x <= -9.0e18)
        return INT64_MIN;
    return static_cast<std::int64_t>(x);
}

}  // namespace

std::int64_t petHp(const PetInputs& in) {
    const double g = in.growth;
    return trunc64(in.con * g * 6 + mul32(in.staminaApt, in.level) / 1000);
}

std::int64_t petMp(const PetInputs& in) {
    const double g = in.growth;
    return trunc64(in.mag * g * 3 + mul32(in.manaApt, in.level) / 500);
}

std::int64_t petAttack(const PetInputs& in) {
    const double g = in.growth;
    return trunc64(mul32(in.attackApt, in.level) * (g * 10 + 14) / 7500 + in.str * g);
}

std::int64_t petDefence(const PetInputs& in) {
    const double g = in.growth;
    return trunc64(mul32(in.defenceApt, in.level) * (g * 19 / 3 + 9.4) / 7500 + in.end * g * 4 / 3);
}

std::int64_t petSpeed(const PetInputs& in) {
    return mul32(in.agi, in.speedApt) / 1000;
}

std::int64_t petSpirit(const PetInputs& in) {
    const double g = in.growth;
    return trunc64((in.manaApt / 1000 + g) * in.level / 5 + in.mag * 0.7 + in.str * 0.4 +
                   in.con * 0.3 + in.end * 0.2);
}

double leadingReal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            while (j < text.size() && text[j] >= '0' && text[j] <= '9')
                ++j;
            end = j;
        }
    }
    const std::string number(text.substr(start, end - start));
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace kalvix
