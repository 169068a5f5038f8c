// Lookups of the school skill table.

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

std::map<int, int> Catalogue::schoolSkillRows(int raceIndex, int schoolIndex) const {
    std::map<int, int> rows;
    for (int position = 0; position < kSchoolSkillRows; ++position) {
        const SchoolSkillInfo& row = schoolSkills[position];
        if (row.race == raceIndex + 1 && row.school == schoolIndex + 1)
            rows[row.slot] = position;
    }
    return rows;
}

const SchoolSkillInfo* Catalogue::schoolSkill(int raceIndex, int schoolIndex, int slot) const {
    if (raceIndex < 0 || raceIndex >= kRaces || schoolIndex < 0 || schoolIndex >= kSchoolsPerRace ||
        slot < 1 || slot > kSchoolSkillSlots)
        return nullptr;
    return &schoolSkills[schoolSkillPosition(raceIndex + 1, schoolIndex + 1, slot)];
}

}  // namespace kalvix
