// Lookups, texts and colour matching of the rune stone and rune combination tables.

#include <cmath>
#include <cstdio>

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {
namespace {

// printf-style formatting of one real; sized first so no value can overflow a buffer.
std::string formatReal(const char* format, const char* name, double value) {
    const int size = std::snprintf(nullptr, 0, format, name, value);
    if (size <= 0)
        return {};
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, name, value);
    out.resize(static_cast<std::size_t>(size));
    return out;
}

std::string formatNumber(float value) {
    const double v = value;
    // Whole numbers print without decimals, others with one.
    const bool whole = std::isfinite(v) && std::trunc(v) == v;
    return formatReal(whole ? "%s%.0f" : "%s%.1f", "", v);
}

bool isHoleColour(std::int32_t colour) {
    return colour >= kRed && colour <= kPurple;
}

}  // namespace

int Catalogue::FindRuneStone(std::int32_t id) const {
    if (id <= 0)
        return -1;
    for (int slot = 0; slot < kRuneStoneSlots; ++slot)
        if (runeStones[slot].id == id)
            return slot;
    return -1;
}

int Catalogue::FindRuneCombination(std::int32_t id) const {
    if (id <= 0)
        return -1;
    for (int slot = 0; slot < kRuneCombinationSlots; ++slot)
        if (runeCombinations[slot].id == id)
            return slot;
    return -1;
}

std::string Catalogue::RuneStoneEffectText(const RuneStone& stone) const {
    std::string basic;
    std::string status;
    if (stone.basicAttribute != 0) {
        const std::string name = enumName(kEnumAttribute, stone.basicAttribute);
        // An attribute without a name has no line of its own rather than a bare number.
        if (!name.empty())
            basic = formatReal("%s +%.1f", name.c_str(), stone.basicValue);
    }
    if (stone.statusAttribute != 0) {
        // The stone texts use the game's older wording for these two.
        std::string name;
        if (stone.statusAttribute == 7)
            name = "躲闪";
        else if (stone.statusAttribute == 9)
            name = "魔法防御";
        else
            name = enumName(kEnumStatus, stone.statusAttribute);
        if (!name.empty())
            status = formatReal("%s +%.1f", name.c_str(), stone.statusValue);
    }
    if (!basic.empty() && !status.empty())
        return basic + "," + status;
    return basic.empty() ? status : basic;
}

std::string Catalogue::RuneCombinationEffectText(const RuneCombination& combination, int level) {
    std::string first = "x";
    std::string second = "y";
    // Levels beyond 4 have no numbers; they read like "no level" instead of reading past
    // the table.
    if (level >= 1 && level <= kRuneLevels) {
        first = formatNumber(combination.values[level - 1][0]);
        second = formatNumber(combination.values[level - 1][1]);
    }
    const std::string& text = combination.text;
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '#' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

RuneMatch Catalogue::matchRuneCombinationLevel(std::span<const std::int32_t> holeColours) const {
    int run = 0;
    const int holes = static_cast<int>(std::min<std::size_t>(holeColours.size(), kRuneHoles));
    while (run < holes && isHoleColour(holeColours[run]))
        ++run;
    for (int level = run - 1; level >= 1; --level) {
        const std::int32_t bit = std::int32_t{1} << level;
        for (int slot = 1; slot < kRuneCombinationSlots; ++slot) {
            const RuneCombination& c = runeCombinations[slot];
            if ((c.levelMask & bit) == 0)
                continue;
            bool same = true;
            for (int h = 0; h <= level && same; ++h)
                same = c.colours[h] == holeColours[h];
            if (same)
                return {slot, level};
        }
    }
    return {};
}

int Catalogue::MatchRuneCombination(std::span<const std::int32_t> holeColours) const {
    return matchRuneCombinationLevel(holeColours).slot;
}

}  // namespace kalvix
