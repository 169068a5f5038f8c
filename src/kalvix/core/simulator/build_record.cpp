#include "kalvix/core/simulator/build_record.h"

#include <bit>

#include "common/gbk.h"

namespace kalvix {

namespace L = record_layout;

std::int32_t BuildRecord::readInt(std::size_t offset) const {
    if (offset + 4 > kSize)
        return 0;
    const std::uint32_t v = std::uint32_t{bytes_[offset]} | std::uint32_t{bytes_[offset + 1]} << 8 |
                            std::uint32_t{bytes_[offset + 2]} << 16 |
                            std::uint32_t{bytes_[offset + 3]} << 24;
    return static_cast<std::int32_t>(v);
}

void BuildRecord::writeInt(std::size_t offset, std::int32_t value) {
    if (offset + 4 > kSize)
        return;
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

float BuildRecord::readFloat(std::size_t offset) const {
    return std::bit_cast<float>(static_cast<std::uint32_t>(readInt(offset)));
}

void BuildRecord::writeFloat(std::size_t offset, float value) {
    writeInt(offset, static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(value)));
}

std::string BuildRecord::readText(std::size_t offset) const {
    if (offset + L::kTextField > kSize)
        return {};
    const auto* field = reinterpret_cast<const char*>(bytes_.data() + offset);
    // A field without its NUL is read as far as 29 bytes go, so the text never runs into the
    // next field and never ends in half a character.
    const std::string gbk =
        common::cutGbk(common::readField(field, L::kTextField), kBuildTextBytes);
    return common::gbkToUtf8(gbk);
}

void BuildRecord::writeText(std::size_t offset, std::string_view utf8) {
    if (offset + L::kTextField > kSize)
        return;
    common::copyToField(reinterpret_cast<char*>(bytes_.data() + offset), L::kTextField,
                        common::utf8ToGbk(utf8));
}

void BuildRecord::resetDefaults() {
    writeInt(L::kExtraPotential, 0);
    for (int n = 0; n < kBuildSkillSlots; ++n)
        writeInt(L::kSkillLevel + 4 * n, 0);
    for (int n = 0; n < kAuxSkills; ++n)
        writeInt(L::kAuxLevel + 4 * n, 0);
    for (int k = 0; k < kBasicAttributes; ++k)
        writeInt(L::kAllocated + 4 * k, 0);
    writeMount(MountRecord{});
    bytes_[L::kAscended] = 1;
    writeEquipment(0, blankEquipment(-1));
    for (int p = kFirstPiece; p <= kLastPiece; ++p)
        writeEquipment(p, blankEquipment(p));
}

namespace {

template <std::size_t N>
void readInts(const BuildRecord& r, std::size_t offset, std::array<std::int32_t, N>& out) {
    for (std::size_t i = 0; i < N; ++i)
        out[i] = r.readInt(offset + 4 * i);
}

template <std::size_t N>
void writeInts(BuildRecord& r, std::size_t offset, const std::array<std::int32_t, N>& in) {
    for (std::size_t i = 0; i < N; ++i)
        r.writeInt(offset + 4 * i, in[i]);
}

std::size_t equipmentOffset(int index) {
    return L::kEquipment + L::kEquipmentSize * static_cast<std::size_t>(index);
}

}  // namespace

EquipmentRecord BuildRecord::readEquipment(int index) const {
    EquipmentRecord piece;
    if (index < 0 || index >= kEquipmentRecords)
        return piece;
    const std::size_t base = equipmentOffset(index);
    piece.slot = readInt(base + L::kSlot);
    piece.levelIndex = readInt(base + L::kLevelIndex);
    piece.strengthened = bytes_[base + L::kStrengthened] != 0;
    piece.stunt = readInt(base + L::kStunt);
    piece.partEffects = readInt(base + L::kPartEffects);
    piece.generalEffects = readInt(base + L::kGeneralEffects);
    readInts(*this, base + L::kBaseFive, piece.baseFive);
    readInts(*this, base + L::kBaseStatus, piece.baseStatus);
    readInts(*this, base + L::kAddedFive, piece.addedFive);
    readInts(*this, base + L::kMeltFive, piece.meltFive);
    readInts(*this, base + L::kMeltStatus, piece.meltStatus);
    const std::size_t runes = base + L::kRunes;
    piece.runes.holeCount = readInt(runes);
    piece.runes.reserved = readInt(runes + 4);
    piece.runes.combinationId = readInt(runes + 8);
    piece.runes.combinationLevelIndex = readInt(runes + 12);
    readInts(*this, runes + 16, piece.runes.stoneIds);
    return piece;
}

void BuildRecord::writeEquipment(int index, const EquipmentRecord& piece) {
    if (index < 0 || index >= kEquipmentRecords)
        return;
    const std::size_t base = equipmentOffset(index);
    writeInt(base + L::kSlot, piece.slot);
    writeInt(base + L::kLevelIndex, piece.levelIndex);
    bytes_[base + L::kStrengthened] = piece.strengthened ? 1 : 0;
    for (std::size_t i = 1; i < 4; ++i)
        bytes_[base + L::kStrengthened + i] = 0;
    writeInt(base + L::kStunt, piece.stunt);
    writeInt(base + L::kPartEffects, piece.partEffects);
    writeInt(base + L::kGeneralEffects, piece.generalEffects);
    writeInts(*this, base + L::kBaseFive, piece.baseFive);
    writeInts(*this, base + L::kBaseStatus, piece.baseStatus);
    writeInts(*this, base + L::kAddedFive, piece.addedFive);
    writeInts(*this, base + L::kMeltFive, piece.meltFive);
    writeInts(*this, base + L::kMeltStatus, piece.meltStatus);
    const std::size_t runes = base + L::kRunes;
    writeInt(runes, piece.runes.holeCount);
    writeInt(runes + 4, piece.runes.reserved);
    writeInt(runes + 8, piece.runes.combinationId);
    writeInt(runes + 12, piece.runes.combinationLevelIndex);
    writeInts(*this, runes + 16, piece.runes.stoneIds);
}

MountRecord BuildRecord::readMount() const {
    MountRecord mount;
    mount.growth = readFloat(L::kMount + L::kMountGrowth);
    readInts(*this, L::kMount + L::kMountCarried, mount.carried);
    readInts(*this, L::kMount + L::kMountFive, mount.five);
    return mount;
}

void BuildRecord::writeMount(const MountRecord& mount) {
    writeFloat(L::kMount + L::kMountGrowth, mount.growth);
    writeInts(*this, L::kMount + L::kMountCarried, mount.carried);
    writeInts(*this, L::kMount + L::kMountFive, mount.five);
}

CharacterBuild BuildRecord::readBuild() const {
    CharacterBuild b;
    b.race = readInt(L::kRace);
    b.school = readInt(L::kSchool);
    b.server = readText(L::kServer);
    b.area = readText(L::kArea);
    b.name = readText(L::kName);
    b.ascended = bytes_[L::kAscended] != 0;
    b.level = readInt(L::kLevel);
    b.extraPotential = readInt(L::kExtraPotential);
    readInts(*this, L::kSkillLevel, b.skillLevel);
    readInts(*this, L::kAuxLevel, b.auxLevel);
    readInts(*this, L::kAllocated, b.allocated);
    b.mount = readMount();
    for (int i = 0; i < kEquipmentRecords; ++i)
        b.equipment[i] = readEquipment(i);
    return b;
}

void BuildRecord::writePageFields(const CharacterBuild& b) {
    writeInt(L::kRace, b.race);
    writeInt(L::kSchool, b.school);
    writeText(L::kServer, b.server);
    writeText(L::kArea, b.area);
    writeText(L::kName, b.name);
    bytes_[L::kAscended] = b.ascended ? 1 : 0;
    bytes_[L::kFiller] = 0;
    writeInt(L::kLevel, b.level);
    writeInt(L::kExtraPotential, b.extraPotential);
    writeInts(*this, L::kSkillLevel, b.skillLevel);
    writeInts(*this, L::kAuxLevel, b.auxLevel);
    writeInts(*this, L::kAllocated, b.allocated);
}

void BuildRecord::writeBuild(const CharacterBuild& b) {
    writePageFields(b);
    writeMount(b.mount);
    for (int i = 0; i < kEquipmentRecords; ++i)
        writeEquipment(i, b.equipment[i]);
}

}  // namespace kalvix
