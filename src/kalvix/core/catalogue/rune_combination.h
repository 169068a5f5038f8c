#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace kalvix {

inline constexpr int kRuneCombinationSlots = 120;  // slot 0 and 115..119 empty
inline constexpr int kRuneHoles = 5;
inline constexpr int kRuneLevels = 4;

// Colour enumeration values of holes and stones.
enum RuneColour : std::int32_t {
    kNoColour = -1,
    kRed = 0,
    kYellow = 1,
    kGreen = 2,
    kBlue = 3,
    kWhite = 4,
    kBlack = 5,
    kPurple = 6,
};

// One rune combination (符石组合): the effect a piece gains when its hole colours, read from
// hole 1 on, spell the combination's colours. Level L uses the first L + 1 colours.
struct RuneCombination {
    std::int32_t id = 0;         // general 1..25; school ones 1000 × race group + running number
    std::int32_t levelMask = 0;  // bit value 2^L for each level L (1..4) the combination has
    std::string name;
    std::array<std::int32_t, kRuneHoles> colours{};  // colour values of holes 1..5; -1 ends
    std::int32_t school = 0;                         // school enumeration value, -1 for any
    std::int32_t slot = 0;                           // equipment-slot enumeration value, -1 for any
    std::string text;  // "#1" and "#2" are filled per level; "<br>" marks line breaks
    // values[L - 1][0] replaces "#1" and values[L - 1][1] replaces "#2" at level L.
    std::array<std::array<float, 2>, kRuneLevels> values{};
    std::int32_t basicAttribute = 0;   // attribute that gains the "#1" number, 0 for none
    std::int32_t statusAttribute = 0;  // status attribute that gains the "#1" number, 0 for none
    std::int32_t schoolSkill = 0;      // school skill slot 1..8 that gains "#1" levels, 0 none

    bool hasLevel(int level) const {
        return level >= 1 && level <= kRuneLevels && (levelMask & (1 << level)) != 0;
    }
    // Number of colours before the first -1 (0 for an empty slot, whose colours are all 0).
    int colourCount() const {
        if (levelMask == 0)
            return 0;
        int n = 0;
        while (n < kRuneHoles && colours[n] != -1)
            ++n;
        return n;
    }
};

// A colour sequence's combination and the level it was formed at.
struct RuneMatch {
    int slot = -1;  // combination slot, -1 for none
    int level = 0;  // 1..4, 0 for none
};

}  // namespace kalvix
