#pragma once
// The children's rules: the aptitude ranges a grown child can reach from its four fixed
// attributes, and how much an upbringing item still raises an attribute.

#include <array>
#include <cstdint>
#include <string>

namespace kalvix {

// One predicted aptitude: the lowest and the highest value the grown child can have.
template <typename T>
struct AptitudeRange {
    T min{};
    T max{};
};

struct ChildAptitudes {
    AptitudeRange<std::int32_t> attack;
    AptitudeRange<std::int32_t> stamina;
    AptitudeRange<std::int32_t> speed;
    AptitudeRange<float> growth;
    AptitudeRange<std::int32_t> defence;
    AptitudeRange<std::int32_t> mana;
    AptitudeRange<std::int32_t> dodge;
};

// The ranges for 武学 w, 法术 f, 心态 x and 体质 t, each 0..100.
ChildAptitudes predictChildAptitudes(std::int32_t w, std::int32_t f, std::int32_t x,
                                     std::int32_t t);

struct ChildItem {
    const char* name;
    int nominal;  // the effect the item names, 2..6; 0 for the "请选择" entry
};

inline constexpr int kChildItemCount = 21;
// The 当前物品 list in its order; entry 0 is no item.
const std::array<ChildItem, kChildItemCount>& childItems();

// What an item of nominal effect 2..6 still adds at this attribute total: "+6" ... "+1", or
// "+0" once the total is past the item's reach (or negative).
std::string childItemEffect(int nominal, std::int32_t total);

}  // namespace kalvix
