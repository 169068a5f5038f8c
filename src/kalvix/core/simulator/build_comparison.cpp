#include "kalvix/core/simulator/build_comparison.h"

namespace kalvix {

std::string ComparedAttribute::difference() const {
    const std::int64_t d = std::int64_t{mine} - other;
    return d > 0 ? "+" + std::to_string(d) : std::to_string(d);
}

std::vector<ComparedAttribute> compareSheets(const AttributeSheet& mine,
                                             const AttributeSheet& other) {
    std::vector<ComparedAttribute> rows;
    for (int j = 0; j < kStatusAttributes; ++j)
        rows.push_back({kStatusNames[j], mine.finalStatus[static_cast<std::size_t>(j)],
                        other.finalStatus[static_cast<std::size_t>(j)]});
    for (int k = 0; k < kBasicAttributes; ++k)
        rows.push_back({kAttributeNames[k], mine.total[static_cast<std::size_t>(k)],
                        other.total[static_cast<std::size_t>(k)]});
    rows.push_back({"活力", mine.vigour, other.vigour});
    rows.push_back({"体力", mine.stamina, other.stamina});
    return rows;
}

}  // namespace kalvix
