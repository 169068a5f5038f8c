#pragma once
#include <array>
#include <cstdint>

namespace kalvix {

inline constexpr int kRuneSettingHoles = 5;
inline constexpr std::int32_t kMaxRuneHoles = 5;

// The rune block every equipment piece carries: nine 32-bit integers in this order.
struct RuneSetting {
    std::int32_t holeCount = 0;               // 0..5
    std::int32_t reserved = -1;               // carried through unchanged
    std::int32_t combinationId = -1;          // id of a rune combination, -1 for none
    std::int32_t combinationLevelIndex = -1;  // 0..3 for levels 1..4, -1 for none
    std::array<std::int32_t, kRuneSettingHoles> stoneIds{-1, -1, -1, -1, -1};  // -1 for none

    bool operator==(const RuneSetting&) const = default;
};

}  // namespace kalvix
