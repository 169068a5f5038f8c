// Fuzzes every lookup of the catalogue (rune matching, the text fillers, stones, effects,
// stunts, school skills, furniture and recipes) with arbitrary keys, and checks what every
// answer must satisfy: an index found is inside its table and holds what was asked for.
//   first byte: the lookup; the rest its arguments (int32 little-endian unless noted)

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "kalvix/core/catalogue/catalogue.h"

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;

    template <typename T>
    T take() {
        T value{};
        const std::size_t n = size < sizeof(T) ? size : sizeof(T);
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
    std::string rest() {
        std::string s(reinterpret_cast<const char*>(data), size);
        size = 0;
        return s;
    }
};

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

void fuzzMatch(const kalvix::Catalogue& cat, Reader& in) {
    std::vector<std::int32_t> holes;
    while (in.size > 0 && holes.size() < 8) {
        // Mostly small values so that real colour runs are common.
        const auto b = in.take<std::int8_t>();
        holes.push_back(b >= -2 && b <= 8 ? b : in.take<std::int32_t>());
    }
    const kalvix::RuneMatch m = cat.matchRuneCombinationLevel(holes);
    check(cat.MatchRuneCombination(holes) == m.slot);
    if (m.slot == -1) {
        check(m.level == 0);
        return;
    }
    check(m.slot >= 1 && m.slot < kalvix::kRuneCombinationSlots);
    check(m.level >= 1 && m.level <= 4 && static_cast<std::size_t>(m.level) < holes.size());
    const kalvix::RuneCombination& c = cat.runeCombinations[m.slot];
    check(c.hasLevel(m.level));
    for (int h = 0; h <= m.level; ++h)
        check(c.colours[h] == holes[h]);
}

void fuzzCombinationText(Reader& in) {
    kalvix::RuneCombination c;
    const int level = in.take<std::int8_t>();
    for (auto& v : c.values) {
        v[0] = in.take<float>();
        v[1] = in.take<float>();
    }
    c.text = in.rest();
    const std::string out = kalvix::Catalogue::RuneCombinationEffectText(c, level);
    if (c.text.find('#') == std::string::npos)
        check(out == c.text);
}

void fuzzStoneText(const kalvix::Catalogue& cat, Reader& in) {
    kalvix::RuneStone s;
    s.basicAttribute = in.take<std::int8_t>();
    s.statusAttribute = in.take<std::int8_t>();
    s.basicValue = in.take<float>();
    s.statusValue = in.take<float>();
    const std::string out = cat.RuneStoneEffectText(s);
    check(out.empty() || out.find(" +") != std::string::npos);
}

void fuzzFinders(const kalvix::Catalogue& cat, Reader& in) {
    const auto id = in.take<std::int32_t>();
    const int stone = cat.FindRuneStone(id);
    check(stone == -1 || (stone >= 0 && stone < kalvix::kRuneStoneSlots && id > 0 &&
                          cat.runeStones[stone].id == id));
    const int combination = cat.FindRuneCombination(id);
    check(combination == -1 || (combination >= 0 && combination < kalvix::kRuneCombinationSlots &&
                                id > 0 && cat.runeCombinations[combination].id == id));
    const int item = cat.findFurniture(id);
    check(item == -1 ||
          (item >= 0 && item < kalvix::kFurnitureSlots && cat.furniture[item].id == id));
    const int recipe = cat.findRecipe(id);
    check(recipe == -1 ||
          (recipe >= 0 && recipe < kalvix::kRecipeCount && cat.recipes[recipe].furnitureId == id));
    (void)cat.materialName(id);
    const kalvix::StuntInfo* stunt = cat.stunt(id);
    check(!stunt || (id >= 0 && id < kalvix::kStuntSlots && stunt == &cat.stunts[id]));
}

void fuzzEffects(const kalvix::Catalogue& cat, Reader& in) {
    const auto indexInSlot = in.take<std::int32_t>();
    const auto slot = in.take<std::int32_t>();
    const int position = cat.effectPosition(indexInSlot, slot);
    check(position == -1 ||
          (position >= kalvix::kFirstEquipEffect && position <= kalvix::kLastEquipEffect));
    if (position != -1) {
        const kalvix::EquipEffectInfo* e = cat.effect(position);
        check(e && e->indexInSlot == indexInSlot);
    }
    const kalvix::EquipEffectInfo* any = cat.effect(indexInSlot);
    check(!any ||
          (indexInSlot >= kalvix::kFirstEquipEffect && indexInSlot <= kalvix::kLastEquipEffect));
    const std::int32_t bit = kalvix::Catalogue::effectMaskBit(indexInSlot);
    check(bit == 0 || (indexInSlot >= 1 && indexInSlot <= 30 && bit == (1 << indexInSlot)));
    const auto part = in.take<std::int32_t>();
    const auto general = in.take<std::int32_t>();
    std::set<int> seen;
    for (int p : cat.carriedEffects(slot, part, general)) {
        check(p >= kalvix::kFirstEquipEffect && p <= kalvix::kLastEquipEffect && cat.effect(p));
        check(seen.insert(p).second);
    }
}

void fuzzSchools(const kalvix::Catalogue& cat, Reader& in) {
    const int race = in.take<std::int8_t>();
    const int school = in.take<std::int8_t>();
    const int slot = in.take<std::int8_t>();
    for (const auto& [s, row] : cat.schoolSkillRows(race, school)) {
        check(s >= 1 && s <= kalvix::kSchoolSkillSlots);
        check(row >= 0 && row < kalvix::kSchoolSkillRows);
    }
    const kalvix::SchoolSkillInfo* info = cat.schoolSkill(race, school, slot);
    check(!info || (info->race == race + 1 && info->school == school + 1 && info->slot == slot));
    (void)cat.enumName(race, in.take<std::int32_t>());
}

void fuzzFurniture(const kalvix::Catalogue& cat, Reader& in) {
    const auto kind = in.take<std::int32_t>();
    int last = -1;
    for (int slot : cat.furnitureOfKind(kind)) {
        check(slot > last && slot < kalvix::kFurnitureSlots);
        check(kind == 0 || cat.furniture[slot].kind == kind);
        last = slot;
    }
    std::array<std::int32_t, kalvix::kRecipeMaterials> materials{};
    for (auto& m : materials) {
        const auto b = in.take<std::int8_t>();
        m = b >= -1 && b < kalvix::kMaterialCount ? b : in.take<std::int32_t>();
    }
    const int recipe = cat.matchRecipe(materials);
    if (recipe == -1)
        return;
    check(recipe >= 0 && recipe < kalvix::kRecipeCount);
    // Any order: the same materials, sorted, on both sides.
    auto wanted = materials;
    auto have = cat.recipes[recipe].materials;
    std::sort(wanted.begin(), wanted.end());
    std::sort(have.begin(), have.end());
    check(wanted == have);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kalvix::Catalogue& cat = kalvix::Catalogue::instance();
    if (size == 0)
        return 0;
    Reader in{data + 1, size - 1};
    switch (data[0] % 12) {
        case 0:
        case 1:
        case 2:
            fuzzMatch(cat, in);
            break;
        case 3:
            fuzzCombinationText(in);
            break;
        case 4:
            fuzzStoneText(cat, in);
            break;
        case 5:
        case 6:
            fuzzFinders(cat, in);
            break;
        case 7:
        case 8:
            fuzzEffects(cat, in);
            break;
        case 9:
            fuzzSchools(cat, in);
            break;
        default:
            fuzzFurniture(cat, in);
            break;
    }
    return 0;
}
