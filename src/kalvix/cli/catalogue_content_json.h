#pragma once
// JSON of the catalogue's content tables for kalvix-calc: every slot in table order.

#include <nlohmann/json.hpp>

namespace kalvix {
class Catalogue;
struct RuneStone;
struct RuneCombination;

nlohmann::ordered_json dumpStunts(const Catalogue& cat);
nlohmann::ordered_json dumpEquipEffects(const Catalogue& cat);
nlohmann::ordered_json dumpRuneStones(const Catalogue& cat);
nlohmann::ordered_json dumpRuneCombinations(const Catalogue& cat);
nlohmann::ordered_json dumpSchoolSkills(const Catalogue& cat);
nlohmann::ordered_json dumpFurniture(const Catalogue& cat);
nlohmann::ordered_json dumpMaterials(const Catalogue& cat);
nlohmann::ordered_json dumpRecipes(const Catalogue& cat);

// One row of a table, shared with the commands that print single rows.
nlohmann::ordered_json runeStoneJson(const RuneStone& stone);
nlohmann::ordered_json runeCombinationJson(const RuneCombination& combination);

}  // namespace kalvix
