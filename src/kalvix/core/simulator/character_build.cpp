#include "kalvix/core/simulator/character_build.h"

namespace kalvix {

EquipmentRecord blankEquipment(std::int32_t slot) {
    EquipmentRecord piece;
    piece.slot = slot;
    return piece;
}

CharacterBuild::CharacterBuild() {
    equipment[0] = blankEquipment(-1);
    for (int p = kFirstPiece; p <= kLastPiece; ++p)
        equipment[p] = blankEquipment(p);
}

std::int32_t clampValue(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value < low ? low : (value > high ? high : value);
}

namespace {

template <std::size_t N>
void clampAll(std::array<std::int32_t, N>& values, std::int32_t low, std::int32_t high) {
    for (auto& v : values)
        v = clampValue(v, low, high);
}

}  // namespace

EquipmentRecord sanitizedEquipment(EquipmentRecord piece, int position) {
    piece.slot = position >= kFirstPiece && position <= kLastPiece ? position : -1;
    if (piece.levelIndex < -1 || piece.levelIndex > kMaxEquipLevelIndex)
        piece.levelIndex = -1;
    if (piece.stunt < -1 || piece.stunt > kMaxStuntIndex)
        piece.stunt = -1;
    clampAll(piece.baseFive, 0, kMaxBaseValue);
    clampAll(piece.baseStatus, 0, kMaxBaseValue);
    clampAll(piece.addedFive, -kMaxAddedValue, kMaxAddedValue);
    clampAll(piece.meltFive, -kMaxMeltValue, kMaxMeltValue);
    clampAll(piece.meltStatus, -kMaxMeltValue, kMaxMeltValue);
    RuneSetting& r = piece.runes;
    r.holeCount = clampValue(r.holeCount, 0, kMaxRuneHoles);
    if (r.combinationLevelIndex < -1 || r.combinationLevelIndex > 3)
        r.combinationLevelIndex = -1;
    return piece;
}

MountRecord sanitizedMount(MountRecord mount) {
    if (!(mount.growth >= 0.0f && mount.growth <= kMaxMountGrowth))
        mount.growth = 0.0f;
    clampAll(mount.carried, 0, 100);
    clampAll(mount.five, 0, kMaxMountAttribute);
    return mount;
}

}  // namespace kalvix
