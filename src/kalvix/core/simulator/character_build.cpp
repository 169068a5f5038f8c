#include "kalvix/core/simulator/character_build.h"

#include "kalvix/core/simulator/build_fields.h"

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

// Brings every integer of a block into the range its description gives.
struct Sanitiser {
    static std::int32_t within(const FieldInfo& f, std::int32_t v) {
        switch (f.outside) {
            case StoredRange::Keep:
                return v;
            case StoredRange::Clamp:
                return clampValue(v, f.low, f.high);
            case StoredRange::Unset:
                return v < f.low || v > f.high ? -1 : v;
        }
        return v;
    }
    void operator()(const FieldInfo& f, std::int32_t& v) const { v = within(f, v); }
    template <std::size_t N>
    void operator()(const FieldInfo& f, std::array<std::int32_t, N>& values) const {
        for (auto& v : values)
            v = within(f, v);
    }
    void operator()(const FieldInfo&, RuneSetting& r) const { forEachField(r, *this); }
    void operator()(const FieldInfo&, bool&) const {}
    void operator()(const FieldInfo&, float&) const {}
};

}  // namespace

EquipmentRecord sanitizedEquipment(EquipmentRecord piece, int position) {
    forEachField(piece, Sanitiser{});
    piece.slot = position >= kFirstPiece && position <= kLastPiece ? position : -1;
    return piece;
}

MountRecord sanitizedMount(MountRecord mount) {
    forEachField(mount, Sanitiser{});
    if (!(mount.growth >= 0.0f && mount.growth <= kMaxMountGrowth))
        mount.growth = 0.0f;
    return mount;
}

}  // namespace kalvix
