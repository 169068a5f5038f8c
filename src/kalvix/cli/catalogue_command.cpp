#include "catalogue_command.h"

#include "catalogue_content_json.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {
namespace {

using Json = nlohmann::ordered_json;

Json dumpEnumerations(const Catalogue& cat) {
    Json rows = Json::array();
    for (std::size_t i = 0; i < cat.enums.size(); ++i) {
        const EnumRow& r = cat.enums[i];
        rows.push_back({{"index", i},
                        {"category", r.category},
                        {"key", r.key},
                        {"value", r.value},
                        {"english", r.english},
                        {"chinese", r.chinese}});
    }
    return rows;
}

Json dumpCharacterExp(const Catalogue& cat) {
    Json rows = Json::array();
    for (std::size_t i = 0; i < cat.characterExp.size(); ++i)
        rows.push_back({{"index", i}, {"experience", cat.characterExp[i]}});
    return rows;
}

template <std::size_t N>
Json dumpCosts(const std::array<SkillCost, N>& table) {
    Json rows = Json::array();
    for (std::size_t i = 0; i < N; ++i)
        rows.push_back(
            {{"index", i}, {"experience", table[i].experience}, {"money", table[i].money}});
    return rows;
}

Json dumpSchoolSkillCost(const Catalogue& cat) {
    return dumpCosts(cat.schoolSkillCost);
}
Json dumpGuildAuxCost(const Catalogue& cat) {
    return dumpCosts(cat.guildAuxCost);
}

Json dumpNpcAuxCost(const Catalogue& cat) {
    Json rows = Json::array();
    for (std::size_t i = 0; i < cat.npcAuxCost.size(); ++i) {
        const NpcAuxCost& c = cat.npcAuxCost[i];
        rows.push_back({{"index", i},
                        {"experience", c.experience},
                        {"money", c.money},
                        {"popularity", c.popularity}});
    }
    return rows;
}

Json dumpPetExp(const Catalogue& cat) {
    Json rows = Json::array();
    for (std::size_t i = 0; i < cat.petExp.size(); ++i)
        rows.push_back({{"index", i}, {"experience", cat.petExp[i]}});
    return rows;
}

}  // namespace

const std::vector<std::pair<std::string, TableDumper>>& catalogueTables() {
    static const std::vector<std::pair<std::string, TableDumper>> tables = {
        {"enumerations", dumpEnumerations},
        {"character-exp", dumpCharacterExp},
        {"school-skill-cost", dumpSchoolSkillCost},
        {"guild-aux-cost", dumpGuildAuxCost},
        {"npc-aux-cost", dumpNpcAuxCost},
        {"rune-stones", dumpRuneStones},
        {"school-skills", dumpSchoolSkills},
        {"rune-combinations", dumpRuneCombinations},
        {"pet-exp", dumpPetExp},
        {"stunts", dumpStunts},
        {"furniture", dumpFurniture},
        {"materials", dumpMaterials},
        {"recipes", dumpRecipes},
        {"effects", dumpEquipEffects},
    };
    return tables;
}

CalcResult catalogueCommand(const std::vector<std::string>& args) {
    const Catalogue& cat = Catalogue::instance();
    if (args.empty()) {
        Json names = Json::array();
        for (const auto& t : catalogueTables())
            names.push_back(t.first);
        return CalcResult::printed(names);
    }
    if (args.size() > 1)
        return CalcResult::refused("catalogue takes one table name");
    for (const auto& t : catalogueTables()) {
        if (t.first == args[0])
            return CalcResult::printed(t.second(cat));
    }
    return CalcResult::refused("unknown catalogue table: " + args[0]);
}

}  // namespace kalvix
