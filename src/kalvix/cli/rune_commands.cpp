#include "rune_commands.h"

#include <array>
#include <cstdint>
#include <optional>

#include <nlohmann/json.hpp>

#include "common/field_reader.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/catalogue/school_skill_bonus.h"

namespace kalvix {
namespace {

using Json = nlohmann::ordered_json;

CalcResult fail(const std::string& message) {
    return CalcResult::refused(message);
}

CalcResult print(const Json& out) {
    return CalcResult::printed(out);
}

std::optional<std::int32_t> integer(const std::string& text, std::int64_t min, std::int64_t max) {
    const auto v = common::parseInteger(text, min, max);
    if (!v)
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<std::int32_t> colourOf(const Catalogue& cat, const std::string& text) {
    if (auto v = integer(text, -1, 6))
        return v;
    for (const EnumRow& row : cat.enums)
        if (row.category == kEnumColour && (row.chinese == text || row.english == text))
            return row.key;
    return std::nullopt;
}

std::optional<std::int32_t> materialOf(const Catalogue& cat, const std::string& text) {
    if (auto v = integer(text, 0, kMaterialCount - 1))
        return v;
    for (int i = 0; i < kMaterialCount; ++i)
        if (cat.materialNames[i] == text)
            return i;
    return std::nullopt;
}

}  // namespace

CalcResult runeMatchCommand(const std::vector<std::string>& args) {
    const Catalogue& cat = Catalogue::instance();
    if (args.size() > kRuneHoles)
        return fail("rune-match takes at most 5 hole colours");
    std::vector<std::int32_t> holes;
    for (const std::string& a : args) {
        const auto colour = colourOf(cat, a);
        if (!colour)
            return fail("unknown colour: " + a);
        holes.push_back(*colour);
    }
    const RuneMatch m = cat.matchRuneCombinationLevel(holes);
    const RuneCombination* c = m.slot >= 0 ? &cat.runeCombinations[m.slot] : nullptr;
    return print({{"slot", m.slot},
                  {"id", c ? c->id : -1},
                  {"name", c ? c->name : std::string()},
                  {"level", m.level}});
}

CalcResult runeTextCommand(const std::vector<std::string>& args) {
    const Catalogue& cat = Catalogue::instance();
    if (args.size() != 2)
        return fail("rune-text takes a combination id and a level");
    const auto id = integer(args[0], INT32_MIN, INT32_MAX);
    const int slot = id ? cat.FindRuneCombination(*id) : -1;
    if (slot < 1)
        return fail("unknown rune combination: " + args[0]);
    const auto level = integer(args[1], INT32_MIN, INT32_MAX);
    if (!level)
        return fail("bad level: " + args[1]);
    const RuneCombination& c = cat.runeCombinations[slot];
    return print({{"slot", slot},
                  {"id", c.id},
                  {"name", c.name},
                  {"level", *level},
                  {"text", Catalogue::RuneCombinationEffectText(c, *level)}});
}

CalcResult stoneTextCommand(const std::vector<std::string>& args) {
    const Catalogue& cat = Catalogue::instance();
    if (args.size() != 1)
        return fail("stone-text takes a stone id");
    const auto id = integer(args[0], INT32_MIN, INT32_MAX);
    const int slot = id ? cat.FindRuneStone(*id) : -1;
    if (slot < 1)
        return fail("unknown rune stone: " + args[0]);
    const RuneStone& s = cat.runeStones[slot];
    return print(
        {{"slot", slot}, {"id", s.id}, {"name", s.name}, {"text", cat.RuneStoneEffectText(s)}});
}

CalcResult skillBonusCommand(const std::vector<std::string>& args) {
    const Catalogue& cat = Catalogue::instance();
    if (args.size() != 4 && args.size() != 5)
        return fail("skill-bonus takes race index, school index, slot, level [and one more input]");
    const auto race = integer(args[0], 0, kRaces - 1);
    if (!race)
        return fail("bad race index (0-2): " + args[0]);
    const auto school = integer(args[1], 0, kSchoolsPerRace - 1);
    if (!school)
        return fail("bad school index (0-3): " + args[1]);
    const auto slot = integer(args[2], 1, kSchoolSkillSlots);
    if (!slot)
        return fail("bad slot (1-8): " + args[2]);
    const auto level = integer(args[3], 0, INT32_MAX);
    if (!level)
        return fail("bad level: " + args[3]);
    SkillBonusInputs in;
    if (args.size() == 5) {
        // Slot 1 takes baseHP, slot 2 baseMP, slot 4 the slot-3 bonus; the others take none.
        if (*slot != 1 && *slot != 2 && *slot != 4)
            return fail("slot " + args[2] + " takes no further input");
        const auto extra = integer(args[4], 0, INT32_MAX);
        if (!extra)
            return fail("bad input: " + args[4]);
        (*slot == 1 ? in.baseHP : *slot == 2 ? in.baseMP : in.hitBonus) = *extra;
    }
    Json out = {{"race", *race},   {"school", *school},
                {"slot", *slot},   {"skill", cat.schoolSkill(*race, *school, *slot)->name},
                {"level", *level}, {"bonus", schoolSkillBonus(*race, *school, *slot, *level, in)}};
    if (*slot == 4)
        out["hitShare"] = schoolSkillHitShare(*race, *school, in.hitBonus);
    return print(out);
}

CalcResult recipeMatchCommand(const std::vector<std::string>& args) {
    const Catalogue& cat = Catalogue::instance();
    if (args.size() != kRecipeMaterials)
        return fail("recipe-match takes four materials");
    std::array<std::int32_t, kRecipeMaterials> materials{};
    for (int i = 0; i < kRecipeMaterials; ++i) {
        const auto m = materialOf(cat, args[i]);
        if (!m)
            return fail("unknown material: " + args[i]);
        materials[i] = *m;
    }
    const int recipe = cat.matchRecipe(materials);
    const std::int32_t id = recipe >= 0 ? cat.recipes[recipe].furnitureId : 0;
    const int item = cat.findFurniture(id);
    return print({{"recipe", recipe},
                  {"furnitureId", id},
                  {"name", item >= 0 ? cat.furniture[item].name : std::string()}});
}

}  // namespace kalvix
