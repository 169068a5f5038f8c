#pragma once
// The game data catalogue: every compiled-in table of game rules and content, built once at
// start-up in a fixed order and read-only afterwards.

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "kalvix/core/catalogue/enumeration.h"
#include "kalvix/core/catalogue/equip_effect_info.h"
#include "kalvix/core/catalogue/furniture_info.h"
#include "kalvix/core/catalogue/furniture_recipe.h"
#include "kalvix/core/catalogue/rune_combination.h"
#include "kalvix/core/catalogue/rune_stone.h"
#include "kalvix/core/catalogue/school_skill_info.h"
#include "kalvix/core/catalogue/stunt_info.h"

namespace kalvix {

struct SkillCost {
    std::int64_t experience = 0;
    std::int64_t money = 0;
};

struct NpcAuxCost {
    std::int64_t experience = 0;
    std::int64_t money = 0;
    std::int32_t popularity = 0;
};

inline constexpr int kEnumSlots = 256;
inline constexpr int kCharacterLevels = 176;    // levels 0..175
inline constexpr int kSchoolSkillLevels = 181;  // levels 0..180
inline constexpr int kGuildAuxLevels = 161;     // levels 0..160
inline constexpr int kNpcAuxLevels = 41;        // levels 0..40
inline constexpr int kPetLevels = 181;          // levels 0..180

class Catalogue {
  public:
    // The process-wide catalogue; built on first use (main touches it before any window).
    static const Catalogue& instance();

    // Display name of (category, key); empty when no filled slot matches.
    std::string enumName(std::int32_t category, std::int32_t key) const;

    // --- Stunts and equipment effects

    // The stunt of row index 0..57 (0 is "无", no stunt); nullptr outside the table.
    const StuntInfo* stunt(int index) const;
    // Position 1..18 of the effect (indexInSlot, slot); general effects have slot -1.
    // -1 when indexInSlot is not positive or no row matches.
    int effectPosition(std::int32_t indexInSlot, std::int32_t slot) const;
    // The effect at position 1..18; nullptr for the empty positions and outside the table.
    const EquipEffectInfo* effect(int position) const;
    // Mask bit of the effect with that indexInSlot: 2^indexInSlot (0 outside 1..30).
    static std::int32_t effectMaskBit(std::int32_t indexInSlot);
    // Positions of the effects a piece of slot `slot` carries with these two masks, in the
    // order every summary prints them.
    std::vector<int> carriedEffects(std::int32_t slot, std::int32_t partMask,
                                    std::int32_t generalMask) const;

    // --- Rune stones and combinations

    // Stone slot 0..63 with that id; -1 for ids of 0 or less and unknown ids.
    int FindRuneStone(std::int32_t id) const;
    // Combination slot 0..119 with that id; -1 for ids of 0 or less and unknown ids.
    int FindRuneCombination(std::int32_t id) const;
    // One-line bonus text of a stone, e.g. "乾坤符石" -> "耐力 +1.0,气血 +10.0".
    std::string RuneStoneEffectText(const RuneStone& stone) const;
    // The combination's text with "#1"/"#2" filled for level 1..4; "x"/"y" for other levels.
    static std::string RuneCombinationEffectText(const RuneCombination& combination, int level);
    // Slot of the combination that the hole colours (holes 1..n, n up to 5; a value outside
    // 0..6 is a hole without colour) form, or -1. Longest match first, lowest slot on ties;
    // school and equipment slot play no part.
    int MatchRuneCombination(std::span<const std::int32_t> holeColours) const;
    // The same match together with the level it was formed at.
    RuneMatch matchRuneCombinationLevel(std::span<const std::int32_t> holeColours) const;

    // --- School skills

    // Row positions of the school (race index 0..2, school index 0..3) by slot 1..8; empty
    // for indexes outside those ranges.
    std::map<int, int> schoolSkillRows(int raceIndex, int schoolIndex) const;
    // The row of one slot (1..8) of a school, nullptr for indexes outside the table.
    const SchoolSkillInfo* schoolSkill(int raceIndex, int schoolIndex, int slot) const;

    // --- Furniture and materials

    // Slot of the item with that id; -1 when no item has it.
    int findFurniture(std::int32_t id) const;
    // Slots of the items of a kind (1..10) in table order; kind 0 gives every item.
    std::vector<int> furnitureOfKind(std::int32_t kind) const;
    // Name of material class 0..18 ("无" for 0); empty outside the list.
    std::string materialName(std::int32_t index) const;
    // Index of the recipe of an item; -1 when the item has none.
    int findRecipe(std::int32_t furnitureId) const;
    // Index of the recipe whose four materials pair one to one with the given four in any
    // order (the last such row counts); -1 when none does.
    int matchRecipe(const std::array<std::int32_t, kRecipeMaterials>& materials) const;

    // Members in storage order.
    std::array<EnumRow, kEnumSlots> enums{};
    std::array<std::int64_t, kCharacterLevels> characterExp{};
    std::array<SkillCost, kSchoolSkillLevels> schoolSkillCost{};
    std::array<SkillCost, kGuildAuxLevels> guildAuxCost{};
    std::array<NpcAuxCost, kNpcAuxLevels> npcAuxCost{};
    std::array<RuneStone, kRuneStoneSlots> runeStones{};
    std::array<SchoolSkillInfo, kSchoolSkillRows> schoolSkills{};
    std::array<RuneCombination, kRuneCombinationSlots> runeCombinations{};
    std::array<std::int32_t, kPetLevels> petExp{};
    std::array<StuntInfo, kStuntSlots> stunts{};
    std::array<FurnitureInfo, kFurnitureSlots> furniture{};
    std::array<std::string, kMaterialCount> materialNames{};
    std::array<FurnitureRecipe, kRecipeCount> recipes{};
    std::array<EquipEffectInfo, kEquipEffectSlots> equipEffects{};

    // Builds a fresh catalogue: every slot empty, then every table in the fixed order.
    Catalogue();

  private:
    void buildEnumerations();
    void buildCharacterExp();
    void buildSchoolSkillCost();
    void buildGuildAuxCost();
    void buildNpcAuxCost();
    void buildPetExp();
    void buildStunts();
    void buildEquipEffects();
    void buildRuneStones();
    void buildRuneCombinations();
    void buildSchoolSkills();
    void buildFurniture();
    void buildMaterials();
    void buildRecipes();
};

}  // namespace kalvix
