#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kalvix {

inline constexpr int kStuntSlots = 58;              // rows 0..57; row 0 stands for no stunt
inline constexpr std::size_t kStuntNameBytes = 19;  // GBK bytes of the name field, NUL excluded

// One stunt (特技): a battle ability a piece of equipment may carry, at most one per piece.
// Equipment records store the row index; 0 means none.
struct StuntInfo {
    std::int32_t id = 0;      // equal to the row index
    std::string name;         // at most kStuntNameBytes GBK bytes
    std::int32_t kind = 0;    // stunt-kind enumeration value (1..5); -1 on row 0
    std::string description;  // tooltip text, "<br>" marks line breaks
    std::int32_t spCost = 0;  // SP the stunt consumes
};

}  // namespace kalvix
