#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kalvix {

inline constexpr int kRuneStoneSlots = 64;  // slot 0 empty, stones in slots 1..63
inline constexpr std::size_t kRuneStoneNameBytes = 19;
inline constexpr std::int32_t kEmptyHoleIcon = 9999;  // icon of a hole without a stone

// One rune stone (符石). Its id is 10000 + 100 × colour + running number within the colour and
// doubles as the number of its 48×48 icon.
struct RuneStone {
    std::int32_t id = 0;
    std::string name;                 // at most kRuneStoneNameBytes GBK bytes
    std::int32_t colour = 0;          // colour enumeration value 0..6
    std::int32_t level = 0;           // 1..3
    std::int32_t basicAttribute = 0;  // attribute enumeration value, 0 for none
    float basicValue = 0.0f;
    std::int32_t statusAttribute = 0;  // status enumeration value, 0 for none
    float statusValue = 0.0f;
};

}  // namespace kalvix
