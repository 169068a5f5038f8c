#include "kalvix/core/simulator/build_simulator.h"

#include "common/gbk.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_record.h"

namespace kalvix {

BuildSimulator::BuildSimulator(const Catalogue& catalogue, std::int32_t level)
    : catalogue_(catalogue) {
    setLevel(level);
}

void BuildSimulator::recalc() {
    recalculate(build_, sheet_, catalogue_);
}

void BuildSimulator::computePiece(int piece) {
    sheet_.piece[piece] = pieceContribution(build_.equipment[piece], catalogue_);
}

void BuildSimulator::computeMount() {
    sheet_.mountRaw = mountContribution(build_.mount);
}

void BuildSimulator::recalculateAll() {
    for (int p = kFirstPiece; p <= kLastPiece; ++p)
        computePiece(p);
    computeMount();
    recalc();
}

void BuildSimulator::restore(const CharacterBuild& build) {
    build_ = build;
    recalculateAll();
}

void BuildSimulator::setRace(std::int32_t race) {
    build_.race = clampValue(race, 0, kRaces - 1);
    build_.skillLevel = {};
    recalc();
}

void BuildSimulator::setSchool(std::int32_t school) {
    build_.school = clampValue(school, 0, kSchoolsPerRace - 1);
    build_.skillLevel = {};
    recalc();
}

void BuildSimulator::setLevel(std::int32_t level) {
    build_.level = clampValue(level, 0, kMaxBuildLevel);
    build_.allocated = {};
    recalc();
}

void BuildSimulator::setExtraPotential(std::int32_t value) {
    build_.extraPotential = clampValue(value, 0, kMaxExtraPotential);
    recalc();
}

void BuildSimulator::setSkillLevel(int slot, std::int32_t level) {
    if (slot < 1 || slot > kBuildSkillSlots)
        return;
    build_.skillLevel[slot - 1] = clampValue(level, 0, kMaxBuildSkillLevel);
    recalc();
}

void BuildSimulator::setAuxLevel(int aux, std::int32_t level) {
    if (aux < 0 || aux >= kAuxSkills)
        return;
    build_.auxLevel[aux] = clampValue(level, 0, kMaxAuxLevel);
    recalc();
}

void BuildSimulator::setAscended(bool ascended) {
    build_.ascended = ascended;
    const std::int32_t maximum = ascended ? kMaxAscendedLevel : kMaxGroundedLevel;
    if (build_.level > maximum) {
        setLevel(maximum);
        return;
    }
    recalc();
}

void BuildSimulator::setMountOn(bool on) {
    build_.mountOn = on;
    recalc();
}

void BuildSimulator::setEquipmentOn(bool on) {
    build_.equipmentOn = on;
    recalc();
}

void BuildSimulator::setServer(std::string_view text) {
    build_.server = common::cutUtf8ToGbkBytes(text, kBuildTextBytes);
}

void BuildSimulator::setArea(std::string_view text) {
    build_.area = common::cutUtf8ToGbkBytes(text, kBuildTextBytes);
}

void BuildSimulator::setName(std::string_view text) {
    build_.name = common::cutUtf8ToGbkBytes(text, kBuildTextBytes);
}

void BuildSimulator::replaceEquipment(int piece, const EquipmentRecord& record) {
    if (piece < kFirstPiece || piece > kLastPiece)
        return;
    build_.equipment[piece] = sanitizedEquipment(record, piece);
    computePiece(piece);
    recalc();
}

void BuildSimulator::replaceMount(const MountRecord& record) {
    build_.mount = sanitizedMount(record);
    computeMount();
    recalc();
}

bool BuildSimulator::addPoints(int k, std::int32_t amount) {
    if (k < 0 || k >= kBasicAttributes || amount <= 0)
        return false;
    if (sheet_.remainingPotential < amount)
        return false;
    build_.allocated[k] += amount;
    recalc();
    return true;
}

bool BuildSimulator::removePoints(int k, std::int32_t amount) {
    if (k < 0 || k >= kBasicAttributes || amount <= 0)
        return false;
    if (build_.allocated[k] < amount)
        return false;
    build_.allocated[k] -= amount;
    recalc();
    return true;
}

void BuildSimulator::resetAllocation() {
    build_.allocated = {};
    recalc();
}

QuickResult BuildSimulator::quickAllocate(
    QuickAllocation mode,
    const std::array<std::optional<std::int32_t>, kBasicAttributes>& entries) {
    QuickResult result;
    result.remaining = sheet_.remainingPotential;
    std::array<std::int64_t, kBasicAttributes> e{};
    for (int k = 0; k < kBasicAttributes; ++k) {
        if (entries[k] && *entries[k] > 0)
            e[k] = *entries[k];
        result.sum += e[k];
    }
    const std::int64_t R = result.remaining;
    const std::int64_t S = result.sum;
    if (R == 0 || S == 0)
        return result;
    if (mode == QuickAllocation::Ratio) {
        // With the potential already overspent the shares would take points away; the page
        // never offers this, and the model refuses it too.
        if (R < 0)
            return result;
        for (int k = 0; k < kBasicAttributes; ++k)
            if (entries[k])
                build_.allocated[k] += static_cast<std::int32_t>((e[k] * R) / S);
    } else {
        if (R < S) {
            result.failed = true;
            return result;
        }
        for (int k = 0; k < kBasicAttributes; ++k)
            if (entries[k])
                build_.allocated[k] += static_cast<std::int32_t>(e[k]);
    }
    result.allocated = true;
    recalc();
    return result;
}

void BuildSimulator::applyRecord(BuildRecord& record, std::int32_t levelLimit) {
    const CharacterBuild stored = record.readBuild();
    // Race and school first: they reset the skill levels, which come later.
    build_.race = clampValue(stored.race, 0, kRaces - 1);
    build_.school = clampValue(stored.school, 0, kSchoolsPerRace - 1);
    build_.skillLevel = {};
    build_.server = stored.server;
    build_.area = stored.area;
    build_.name = stored.name;
    build_.ascended = stored.ascended;
    // The level change discards the points before the stored allocation is applied.
    build_.level = clampValue(stored.level, 0, clampValue(levelLimit, 0, kMaxBuildLevel));
    build_.allocated = {};
    build_.extraPotential = clampValue(stored.extraPotential, 0, kMaxExtraPotential);
    for (int n = 0; n < kBuildSkillSlots; ++n)
        build_.skillLevel[n] = clampValue(stored.skillLevel[n], 0, kMaxBuildSkillLevel);
    for (int n = 0; n < kAuxSkills; ++n)
        build_.auxLevel[n] = clampValue(stored.auxLevel[n], 0, kMaxAuxLevel);
    for (int k = 0; k < kBasicAttributes; ++k)
        build_.allocated[k] = clampValue(stored.allocated[k], 0, kMaxAllocation);
    for (int i = 0; i < kEquipmentRecords; ++i)
        build_.equipment[i] = sanitizedEquipment(stored.equipment[i], i);
    build_.mount = sanitizedMount(stored.mount);
    recalculateAll();
    record.writeBuild(build_);
}

BuildFileResult BuildSimulator::saveFile(const std::string& path, BuildRecord& record) const {
    record.writePageFields(build_);
    return saveBuildFile(path, record);
}

BuildFileResult BuildSimulator::loadFile(const std::string& path, BuildRecord& record,
                                         std::int32_t levelLimit) {
    BuildFileResult result = loadBuildFile(path, record);
    if (result.status == BuildFileStatus::Done)
        applyRecord(record, levelLimit);
    return result;
}

}  // namespace kalvix
