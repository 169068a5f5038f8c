#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

const Catalogue& Catalogue::instance() {
    static const Catalogue catalogue;
    return catalogue;
}

Catalogue::Catalogue() {
    // Members start empty (value-initialised); the builders run in this order.
    buildEnumerations();
    buildCharacterExp();
    buildSchoolSkillCost();
    buildGuildAuxCost();
    buildNpcAuxCost();
    buildPetExp();
    buildStunts();
    buildEquipEffects();
    buildRuneStones();
    buildRuneCombinations();
    buildSchoolSkills();
    buildFurniture();
    buildMaterials();
    buildRecipes();
}

std::string Catalogue::enumName(std::int32_t category, std::int32_t key) const {
    if (category == 0)
        return {};
    for (const EnumRow& row : enums)
        if (row.category == category && row.key == key)
            return row.chinese;
    return {};
}

}  // namespace kalvix
