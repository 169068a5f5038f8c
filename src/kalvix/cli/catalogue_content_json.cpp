#include "catalogue_content_json.h"

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {
namespace {

using Json = nlohmann::ordered_json;

template <typename Table, typename Row>
Json dumpTable(const Table& table, Row row) {
    Json rows = Json::array();
    for (std::size_t i = 0; i < table.size(); ++i) {
        Json r = {{"index", i}};
        r.update(row(table[i]));
        rows.push_back(std::move(r));
    }
    return rows;
}

}  // namespace

Json runeStoneJson(const RuneStone& s) {
    return {{"id", s.id},
            {"name", s.name},
            {"colour", s.colour},
            {"level", s.level},
            {"basicAttribute", s.basicAttribute},
            {"basicValue", s.basicValue},
            {"statusAttribute", s.statusAttribute},
            {"statusValue", s.statusValue}};
}

Json runeCombinationJson(const RuneCombination& c) {
    Json values = Json::array();
    for (const auto& level : c.values)
        values.push_back({level[0], level[1]});
    return {{"id", c.id},
            {"levelMask", c.levelMask},
            {"name", c.name},
            {"colours", c.colours},
            {"school", c.school},
            {"slot", c.slot},
            {"text", c.text},
            {"values", values},
            {"basicAttribute", c.basicAttribute},
            {"statusAttribute", c.statusAttribute},
            {"schoolSkill", c.schoolSkill}};
}

Json dumpStunts(const Catalogue& cat) {
    return dumpTable(cat.stunts, [](const StuntInfo& s) {
        return Json{{"id", s.id},
                    {"name", s.name},
                    {"kind", s.kind},
                    {"description", s.description},
                    {"spCost", s.spCost}};
    });
}

Json dumpEquipEffects(const Catalogue& cat) {
    return dumpTable(cat.equipEffects, [](const EquipEffectInfo& e) {
        return Json{{"name", e.name},
                    {"slot", e.slot},
                    {"indexInSlot", e.indexInSlot},
                    {"description", e.description}};
    });
}

Json dumpRuneStones(const Catalogue& cat) {
    return dumpTable(cat.runeStones, runeStoneJson);
}

Json dumpRuneCombinations(const Catalogue& cat) {
    return dumpTable(cat.runeCombinations, runeCombinationJson);
}

Json dumpSchoolSkills(const Catalogue& cat) {
    return dumpTable(cat.schoolSkills, [](const SchoolSkillInfo& s) {
        return Json{{"race", s.race},
                    {"school", s.school},
                    {"slot", s.slot},
                    {"name", s.name},
                    {"attribute", s.attribute},
                    {"effect", s.effect},
                    {"techniques", s.techniques}};
    });
}

Json dumpFurniture(const Catalogue& cat) {
    return dumpTable(cat.furniture, [](const FurnitureInfo& f) {
        return Json{{"id", f.id},
                    {"name", f.name},
                    {"kind", f.kind},
                    {"grade", f.grade},
                    {"description", f.description}};
    });
}

Json dumpMaterials(const Catalogue& cat) {
    return dumpTable(cat.materialNames, [](const std::string& name) {
        return Json{{"name", name}};
    });
}

Json dumpRecipes(const Catalogue& cat) {
    return dumpTable(cat.recipes, [](const FurnitureRecipe& r) {
        return Json{{"furnitureId", r.furnitureId}, {"materials", r.materials}};
    });
}

}  // namespace kalvix
