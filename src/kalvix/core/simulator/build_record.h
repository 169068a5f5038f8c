#pragma once
// The 1500-byte build record: the binary image of a CharacterBuild that build files store and
// that the simulator's editors exchange. Little-endian, two's complement, texts GBK in 30-byte
// NUL-terminated fields; where each field lies is described in build_fields.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "kalvix/core/simulator/build_fields.h"
#include "kalvix/core/simulator/character_build.h"

namespace kalvix {

class BuildRecord {
  public:
    static constexpr std::size_t kSize = kBuildRecordSize;

    // All bytes zero, as the record is before the simulator first opens.
    BuildRecord() = default;

    std::array<std::uint8_t, kSize>& bytes() { return bytes_; }
    const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }

    std::int32_t readInt(std::size_t offset) const;
    void writeInt(std::size_t offset, std::int32_t value);
    float readFloat(std::size_t offset) const;
    void writeFloat(std::size_t offset, float value);
    // A text field as UTF-8: up to its NUL, at most 29 bytes, never ending in half a
    // double-byte character.
    std::string readText(std::size_t offset) const;
    // Stores UTF-8 text as GBK, cut to 29 bytes on a character boundary, rest zero.
    void writeText(std::size_t offset, std::string_view utf8);

    // The defaults the simulator writes each time it opens. Race, school, the three texts and
    // the level are left as they are.
    void resetDefaults();

    EquipmentRecord readEquipment(int index) const;  // 0 spare, 1..6
    void writeEquipment(int index, const EquipmentRecord& piece);
    MountRecord readMount() const;
    void writeMount(const MountRecord& mount);

    // Every field the record holds, exactly as stored (mountOn and equipmentOn are not in the
    // record and read as true).
    CharacterBuild readBuild() const;
    // What the page copies in before saving: race, school, texts, ascended, level, extra
    // potential, skill and auxiliary levels, the allocation.
    void writePageFields(const CharacterBuild& build);
    // The page fields, the mount and all seven equipment records.
    void writeBuild(const CharacterBuild& build);

    bool operator==(const BuildRecord&) const = default;

  private:
    std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace kalvix
