#include "kalvix/core/guides/junto_practice_page.h"

#include <cstdint>

namespace kalvix {

JuntoPracticePage::JuntoPracticePage(PageContext&) {
    std::int32_t sum2 = 0;
    std::int32_t sum3 = 0;
    for (std::int32_t n = 1; n <= kLevels; ++n) {
        const std::int32_t e = 10 * (n - 1) * (n - 1) + 50 * (n - 1) + 150;
        const std::int32_t cost2 = 2 * e / 10;
        const std::int32_t cost3 = 3 * e / 10;
        sum2 += cost2;
        sum3 += cost3;
        rows_.push_back({std::to_string(n), std::to_string(e), std::to_string(cost2) + "W",
                         std::to_string(sum2) + "W", std::to_string(cost3) + "W",
                         std::to_string(sum3) + "W"});
    }
    Control table;
    table.caption = "列表";
    table.id = "listPractice";
    table.kind = ControlKind::Table;
    table.output = true;
    table.rows = [this] { return rows_; };
    add(std::move(table));
}

}  // namespace kalvix
