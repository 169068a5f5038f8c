#include "kalvix/core/simulator/build_record.h"

#include <bit>
#include <utility>

#include "common/gbk.h"
#include "common/little_endian.h"

namespace kalvix {

std::int32_t BuildRecord::readInt(std::size_t offset) const {
    if (offset + 4 > kSize)
        return 0;
    return static_cast<std::int32_t>(common::readLe32(bytes_.data() + offset));
}

void BuildRecord::writeInt(std::size_t offset, std::int32_t value) {
    if (offset + 4 > kSize)
        return;
    common::writeLe32(bytes_.data() + offset, static_cast<std::uint32_t>(value));
}

float BuildRecord::readFloat(std::size_t offset) const {
    return std::bit_cast<float>(static_cast<std::uint32_t>(readInt(offset)));
}

void BuildRecord::writeFloat(std::size_t offset, float value) {
    writeInt(offset, static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(value)));
}

std::string BuildRecord::readText(std::size_t offset) const {
    if (offset + kTextFieldBytes > kSize)
        return {};
    const auto* field = reinterpret_cast<const char*>(bytes_.data() + offset);
    // A field without its NUL is read as far as 29 bytes go, so the text never runs into the
    // next field and never ends in half a character.
    const std::string gbk =
        common::cutGbk(common::readField(field, kTextFieldBytes), kBuildTextBytes);
    return common::gbkToUtf8(gbk);
}

void BuildRecord::writeText(std::size_t offset, std::string_view utf8) {
    if (offset + kTextFieldBytes > kSize)
        return;
    common::copyToField(reinterpret_cast<char*>(bytes_.data() + offset), kTextFieldBytes,
                        common::utf8ToGbk(utf8));
}

namespace {

std::size_t equipmentOffset(int index) {
    static const std::size_t first = [] {
        std::size_t at = 0;
        const CharacterBuild build;
        forEachField(build, [&at](const FieldInfo& f, const auto&) {
            if (f.name == "equipment")
                at = f.offset;
        });
        return at;
    }();
    return first + kEquipmentRecordSize * static_cast<std::size_t>(index);
}

// Reads the described fields of a block that starts at `base`.
struct FieldReader {
    const BuildRecord& record;
    std::size_t base = 0;

    void operator()(const FieldInfo& f, std::int32_t& v) const {
        v = record.readInt(base + f.offset);
    }
    template <std::size_t N>
    void operator()(const FieldInfo& f, std::array<std::int32_t, N>& values) const {
        for (std::size_t i = 0; i < N; ++i)
            values[i] = record.readInt(base + f.offset + 4 * i);
    }
    void operator()(const FieldInfo& f, bool& v) const {
        v = base + f.offset < BuildRecord::kSize && record.bytes()[base + f.offset] != 0;
    }
    void operator()(const FieldInfo& f, float& v) const { v = record.readFloat(base + f.offset); }
    void operator()(const FieldInfo& f, std::string& v) const {
        v = record.readText(base + f.offset);
    }
    void operator()(const FieldInfo& f, RuneSetting& r) const {
        forEachField(r, FieldReader{record, base + f.offset});
    }
    void operator()(const FieldInfo& f, MountRecord& m) const {
        forEachField(m, FieldReader{record, base + f.offset});
    }
    void operator()(const FieldInfo& f,
                    std::array<EquipmentRecord, kEquipmentRecords>& pieces) const {
        for (std::size_t i = 0; i < pieces.size(); ++i)
            forEachField(pieces[i],
                         FieldReader{record, base + f.offset + kEquipmentRecordSize * i});
    }
};

// Writes the described fields of a block that starts at `base`.
struct FieldWriter {
    BuildRecord& record;
    std::size_t base = 0;

    void operator()(const FieldInfo& f, std::int32_t v) const {
        record.writeInt(base + f.offset, v);
    }
    template <std::size_t N>
    void operator()(const FieldInfo& f, const std::array<std::int32_t, N>& values) const {
        for (std::size_t i = 0; i < N; ++i)
            record.writeInt(base + f.offset + 4 * i, values[i]);
    }
    void operator()(const FieldInfo& f, bool v) const {
        auto& bytes = record.bytes();
        for (std::size_t i = 0; i < f.width && base + f.offset + i < BuildRecord::kSize; ++i)
            bytes[base + f.offset + i] = i == 0 && v ? 1 : 0;
    }
    void operator()(const FieldInfo& f, float v) const { record.writeFloat(base + f.offset, v); }
    void operator()(const FieldInfo& f, const std::string& v) const {
        record.writeText(base + f.offset, v);
    }
    void operator()(const FieldInfo& f, const RuneSetting& r) const {
        forEachField(r, FieldWriter{record, base + f.offset});
    }
    void operator()(const FieldInfo& f, const MountRecord& m) const {
        forEachField(m, FieldWriter{record, base + f.offset});
    }
    void operator()(const FieldInfo& f,
                    const std::array<EquipmentRecord, kEquipmentRecords>& pieces) const {
        for (std::size_t i = 0; i < pieces.size(); ++i)
            forEachField(pieces[i],
                         FieldWriter{record, base + f.offset + kEquipmentRecordSize * i});
    }
};

// Race, school, the three texts and the level stay when the simulator opens.
bool keptOnOpen(const FieldInfo& f) {
    return f.name == "race" || f.name == "school" || f.name == "server" || f.name == "area" ||
           f.name == "name" || f.name == "level";
}

}  // namespace

void BuildRecord::resetDefaults() {
    const CharacterBuild defaults;
    forEachField(defaults, [this](const FieldInfo& f, const auto& value) {
        if (!keptOnOpen(f))
            FieldWriter{*this}(f, value);
    });
}

EquipmentRecord BuildRecord::readEquipment(int index) const {
    EquipmentRecord piece;
    if (index >= 0 && index < kEquipmentRecords)
        forEachField(piece, FieldReader{*this, equipmentOffset(index)});
    return piece;
}

void BuildRecord::writeEquipment(int index, const EquipmentRecord& piece) {
    if (index >= 0 && index < kEquipmentRecords)
        forEachField(piece, FieldWriter{*this, equipmentOffset(index)});
}

MountRecord BuildRecord::readMount() const {
    CharacterBuild b;
    forEachField(b, [this](const FieldInfo& f, auto& value) {
        if (f.name == "mount")
            FieldReader{*this}(f, value);
    });
    return b.mount;
}

void BuildRecord::writeMount(const MountRecord& mount) {
    CharacterBuild b;
    b.mount = mount;
    forEachField(std::as_const(b), [this](const FieldInfo& f, const auto& value) {
        if (f.name == "mount")
            FieldWriter{*this}(f, value);
    });
}

CharacterBuild BuildRecord::readBuild() const {
    CharacterBuild b;
    forEachField(b, FieldReader{*this});
    return b;
}

void BuildRecord::writePageFields(const CharacterBuild& b) {
    forEachField(b, [this](const FieldInfo& f, const auto& value) {
        if (isPageField(f))
            FieldWriter{*this}(f, value);
    });
}

void BuildRecord::writeBuild(const CharacterBuild& b) {
    forEachField(b, FieldWriter{*this});
}

}  // namespace kalvix
