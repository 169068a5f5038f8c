#pragma once
// Every stored field of a build, described once: its name (the key of `kalvix-calc build`'s
// JSON), its offset in the record relative to its block, its width in bytes, and the range
// loading brings it into. The record codec, the JSON and the sanitising of pieces and the mount
// all walk these lists, so a field is added or moved here and nowhere else.
//
// The member's type gives the encoding:
// - std::int32_t: little-endian two's complement; an std::array of them: one after another;
// - bool: one byte, 0 or 1, the rest of its width zero;
// - float: IEEE single precision, little-endian;
// - std::string: a GBK text field (see BuildRecord::readText);
// - MountRecord, RuneSetting and the equipment records: a block of its own fields.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "kalvix/core/simulator/character_build.h"

namespace kalvix {

// What loading does with a stored value outside [low, high].
enum class StoredRange {
    Keep,   // stored as it is (the loader brings page fields into range in its own order)
    Clamp,  // to the nearer end
    Unset,  // reads as -1, never set
};

struct FieldInfo {
    std::string_view name;
    std::size_t offset = 0;
    std::size_t width = 0;
    StoredRange outside = StoredRange::Keep;
    std::int32_t low = 0;
    std::int32_t high = 0;
};

inline constexpr std::size_t kBuildRecordSize = 1500;
inline constexpr std::size_t kTextFieldBytes = 30;
inline constexpr std::size_t kEquipmentRecordSize = 184;

template <class T, class U>
concept FieldsOf = std::same_as<std::remove_const_t<T>, U>;

// The nine integers of a piece's rune block.
template <FieldsOf<RuneSetting> R, class Visit>
void forEachField(R& r, Visit&& visit) {
    visit(FieldInfo{"holeCount", 0, 4, StoredRange::Clamp, 0, kMaxRuneHoles}, r.holeCount);
    visit(FieldInfo{"reserved", 4, 4}, r.reserved);
    // Unknown combination and stone ids stay: every lookup treats them as absent.
    visit(FieldInfo{"combinationId", 8, 4}, r.combinationId);
    visit(FieldInfo{"combinationLevelIndex", 12, 4, StoredRange::Unset, -1, 3},
          r.combinationLevelIndex);
    visit(FieldInfo{"stoneIds", 16, 20}, r.stoneIds);
}

// One equipment record. The slot is the record's position, set by the loader.
template <FieldsOf<EquipmentRecord> E, class Visit>
void forEachField(E& e, Visit&& visit) {
    visit(FieldInfo{"slot", 0, 4}, e.slot);
    visit(FieldInfo{"levelIndex", 4, 4, StoredRange::Unset, -1, kMaxEquipLevelIndex}, e.levelIndex);
    visit(FieldInfo{"strengthened", 8, 4}, e.strengthened);
    visit(FieldInfo{"stunt", 12, 4, StoredRange::Unset, -1, kMaxStuntIndex}, e.stunt);
    visit(FieldInfo{"partEffects", 16, 4}, e.partEffects);
    visit(FieldInfo{"generalEffects", 20, 4}, e.generalEffects);
    visit(FieldInfo{"baseFive", 24, 20, StoredRange::Clamp, 0, kMaxBaseValue}, e.baseFive);
    visit(FieldInfo{"baseStatus", 44, 32, StoredRange::Clamp, 0, kMaxBaseValue}, e.baseStatus);
    visit(FieldInfo{"addedFive", 76, 20, StoredRange::Clamp, -kMaxAddedValue, kMaxAddedValue},
          e.addedFive);
    visit(FieldInfo{"meltFive", 96, 20, StoredRange::Clamp, -kMaxMeltValue, kMaxMeltValue},
          e.meltFive);
    visit(FieldInfo{"meltStatus", 116, 32, StoredRange::Clamp, -kMaxMeltValue, kMaxMeltValue},
          e.meltStatus);
    visit(FieldInfo{"runes", 148, 36}, e.runes);
}

// The mount block. A growth that is not a number or lies outside 0..10 counts as none (0):
// the float's own rule, kept by sanitizedMount.
template <FieldsOf<MountRecord> M, class Visit>
void forEachField(M& m, Visit&& visit) {
    visit(FieldInfo{"growth", 0, 4}, m.growth);
    visit(FieldInfo{"carried", 4, 12, StoredRange::Clamp, 0, kMaxMountCarried}, m.carried);
    visit(FieldInfo{"five", 16, 20, StoredRange::Clamp, 0, kMaxMountAttribute}, m.five);
}

// The whole record. mountOn and equipmentOn are not stored.
template <FieldsOf<CharacterBuild> B, class Visit>
void forEachField(B& b, Visit&& visit) {
    visit(FieldInfo{"race", 0, 4}, b.race);
    visit(FieldInfo{"school", 4, 4}, b.school);
    visit(FieldInfo{"server", 8, kTextFieldBytes}, b.server);
    visit(FieldInfo{"area", 38, kTextFieldBytes}, b.area);
    visit(FieldInfo{"name", 68, kTextFieldBytes}, b.name);
    visit(FieldInfo{"ascended", 98, 2}, b.ascended);  // and a byte of padding
    visit(FieldInfo{"level", 100, 4}, b.level);
    visit(FieldInfo{"extraPotential", 104, 4}, b.extraPotential);
    visit(FieldInfo{"skillLevel", 108, 32}, b.skillLevel);
    visit(FieldInfo{"auxLevel", 140, 16}, b.auxLevel);
    visit(FieldInfo{"allocated", 156, 20}, b.allocated);
    visit(FieldInfo{"mount", 176, 36}, b.mount);
    visit(FieldInfo{"equipment", 212, kEquipmentRecords * kEquipmentRecordSize}, b.equipment);
}

// The fields the build page itself edits: everything but the mount and the equipment blocks.
inline bool isPageField(const FieldInfo& field) {
    return field.name != "mount" && field.name != "equipment";
}

}  // namespace kalvix
