#include "kalvix/core/calculators/children_formulas.h"

#include <vector>

namespace kalvix {

ChildAptitudes predictChildAptitudes(std::int32_t w, std::int32_t f, std::int32_t x,
                                     std::int32_t t) {
    ChildAptitudes a;
    a.attack = {8 * w + 750, (40 * w / 100) + 8 * w + 750};
    a.stamina = {50 * (t + 10), (500 * t / 100) + 50 * (t + 10)};
    a.mana = {25 * (f + 28), (250 * f / 100) + 25 * (f + 28)};
    // Speed and dodge follow the better of the two wits.
    const std::int32_t m = f >= w ? f : w;
    a.speed = {8 * m + 650, (40 * m / 100) + 8 * m + 650};
    // A child whose martial wit leads gets the wide dodge spread: 160, where the others get 40.
    const std::int32_t k = f >= w ? 40 : 160;
    a.dodge = {static_cast<std::int32_t>(m * 7.2 + 650),
               static_cast<std::int32_t>(m * 7.2 + 650 + (k * m / 100))};
    const double s = x * 0.7 + t * 0.3;
    a.defence = {static_cast<std::int32_t>(s * 8 + 750),
                 static_cast<std::int32_t>(s * 8 + 750 + s / 100 * 8 * 10)};
    const double g = (t * 0.25 + x * 0.75) * 4 / 1000 + 3.39;
    a.growth = {static_cast<float>(g / 3), static_cast<float>((g + 0.0333) / 3)};
    return a;
}

const std::array<ChildItem, kChildItemCount>& childItems() {
    static const std::array<ChildItem, kChildItemCount> items = {{
        {"请选择", 0},   {"竹马", 3},     {"猴皮筋", 4},     {"投掷沙包", 5}, {"弹弓", 6},
        {"红木短剑", 6}, {"启蒙棋谱", 4}, {"搜神记", 5},     {"列异传", 5},   {"山海经", 6},
        {"百兽图谱", 6}, {"急就章", 2},   {"千字文", 4},     {"诗经", 4},     {"论语", 5},
        {"道德经", 6},   {"金柳露", 2},   {"超级金柳露", 5}, {"糖葫芦", 3},   {"玉灵果", 5},
        {"瑶池蟠桃", 6},
    }};
    return items;
}

std::string childItemEffect(int nominal, std::int32_t total) {
    // The highest total that still gets nominal, nominal - 1, ... +1, by nominal effect.
    static const std::vector<std::int32_t> reach[] = {
        {10, 35},                  // 2
        {10, 30, 51},              // 3
        {10, 26, 43, 60},          // 4
        {10, 24, 38, 52, 67},      // 5
        {10, 22, 35, 47, 60, 72},  // 6
    };
    if (nominal < 2 || nominal > 6 || total < 0)
        return "+0";
    const std::vector<std::int32_t>& bounds = reach[nominal - 2];
    for (std::size_t i = 0; i < bounds.size(); ++i)
        if (total <= bounds[i])
            return "+" + std::to_string(nominal - static_cast<int>(i));
    return "+0";
}

}  // namespace kalvix
