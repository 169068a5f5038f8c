#pragma once
// The game data catalogue: every compiled-in table of game rules and content, built once at
// start-up in a fixed order and read-only afterwards.

#include <array>
#include <cstdint>
#include <string>

#include "kalvix/core/catalogue/enumeration.h"

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
inline constexpr int kCharacterLevels = 176;  // levels 0..175
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

    // Members in storage order. Content tables (stunts, effects, rune stones and combinations,
    // school skills, furniture) sit between them as their builders are added.
    std::array<EnumRow, kEnumSlots> enums{};
    std::array<std::int64_t, kCharacterLevels> characterExp{};
    std::array<SkillCost, kSchoolSkillLevels> schoolSkillCost{};
    std::array<SkillCost, kGuildAuxLevels> guildAuxCost{};
    std::array<NpcAuxCost, kNpcAuxLevels> npcAuxCost{};
    std::array<std::int32_t, kPetLevels> petExp{};

    // Builds a fresh catalogue: every slot empty, then every table in the fixed order.
    Catalogue();

private:
    void buildEnumerations();
    void buildCharacterExp();
    void buildSchoolSkillCost();
    void buildGuildAuxCost();
    void buildNpcAuxCost();
    void buildPetExp();
};

}  // namespace kalvix
