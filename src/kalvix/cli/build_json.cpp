#include "build_json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_fields.h"
#include "kalvix/core/simulator/build_record.h"
#include "kalvix/core/simulator/build_simulator.h"
#include "kalvix/core/simulator/build_summary.h"

namespace kalvix {
namespace {

template <std::size_t N>
BuildJson array(const std::array<std::int32_t, N>& values) {
    BuildJson a = BuildJson::array();
    for (std::int32_t v : values)
        a.push_back(v);
    return a;
}

template <std::size_t N>
BuildJson strings(const std::array<std::string, N>& values) {
    BuildJson a = BuildJson::array();
    for (const std::string& v : values)
        a.push_back(v);
    return a;
}

// The shortest decimal that reads back as the same float, so 1.2f prints as 1.2.
BuildJson floatJson(float value) {
    if (!std::isfinite(value))
        return nullptr;
    char buf[32];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, static_cast<double>(value));
        const double d = std::strtod(buf, nullptr);
        if (static_cast<float>(d) == value)
            return d;
    }
    return static_cast<double>(value);
}

// A build's described fields as JSON, under their names, in the record's order.
struct FieldsToJson {
    BuildJson& out;

    void operator()(const FieldInfo& f, std::int32_t v) const { out[std::string(f.name)] = v; }
    template <std::size_t N>
    void operator()(const FieldInfo& f, const std::array<std::int32_t, N>& values) const {
        out[std::string(f.name)] = array(values);
    }
    void operator()(const FieldInfo& f, bool v) const { out[std::string(f.name)] = v; }
    void operator()(const FieldInfo& f, float v) const { out[std::string(f.name)] = floatJson(v); }
    void operator()(const FieldInfo& f, const std::string& v) const {
        out[std::string(f.name)] = v;
    }
    template <class Block>
    void operator()(const FieldInfo& f, const Block& block) const {
        out[std::string(f.name)] = asJson(block);
    }
    template <class Block>
    static BuildJson asJson(const Block& block) {
        BuildJson object = BuildJson::object();
        forEachField(block, FieldsToJson{object});
        return object;
    }
    template <std::size_t N>
    static BuildJson asJson(const std::array<EquipmentRecord, N>& pieces) {
        BuildJson list = BuildJson::array();
        for (const EquipmentRecord& piece : pieces)
            list.push_back(asJson(piece));
        return list;
    }
};

template <std::size_t N>
void readArray(const BuildJson& j, std::array<std::int32_t, N>& out) {
    for (std::size_t i = 0; i < N; ++i)
        out[i] = j.at(i).get<std::int32_t>();
}

// The described fields back from JSON shaped like FieldsToJson's.
struct FieldsFromJson {
    const BuildJson& in;

    const BuildJson& at(const FieldInfo& f) const { return in.at(std::string(f.name)); }
    void operator()(const FieldInfo& f, std::int32_t& v) const { v = at(f).get<std::int32_t>(); }
    template <std::size_t N>
    void operator()(const FieldInfo& f, std::array<std::int32_t, N>& values) const {
        readArray(at(f), values);
    }
    void operator()(const FieldInfo& f, bool& v) const { v = at(f).get<bool>(); }
    void operator()(const FieldInfo& f, float& v) const {
        v = at(f).is_null() ? 0.0f : static_cast<float>(at(f).get<double>());
    }
    void operator()(const FieldInfo& f, std::string& v) const { v = at(f).get<std::string>(); }
    void operator()(const FieldInfo& f, RuneSetting& r) const {
        forEachField(r, FieldsFromJson{at(f)});
    }
    void operator()(const FieldInfo& f, MountRecord& m) const {
        forEachField(m, FieldsFromJson{at(f)});
    }
    template <std::size_t N>
    void operator()(const FieldInfo& f, std::array<EquipmentRecord, N>& pieces) const {
        for (std::size_t i = 0; i < N; ++i)
            forEachField(pieces[i], FieldsFromJson{at(f).at(i)});
    }
};

}  // namespace

BuildJson recordToJson(const BuildRecord& record) {
    return FieldsToJson::asJson(record.readBuild());
}

BuildJson sheetToJson(const BuildSimulator& simulator) {
    const AttributeSheet& s = simulator.sheet();
    BuildJson pieces = BuildJson::array();
    for (const PieceContribution& c : s.piece)
        pieces.push_back(
            {{"five", array(c.five)}, {"status", array(c.status)}, {"special", array(c.special)}});
    return {{"total", array(s.total)},
            {"pointStatus", array(s.pointStatus)},
            {"skillBonus", array(s.skillBonus)},
            {"extraSkillLevel", array(s.extraSkillLevel)},
            {"finalStatus", array(s.finalStatus)},
            {"special", array(s.special)},
            {"vigour", s.vigour},
            {"stamina", s.stamina},
            {"potentialBase", s.potentialBase},
            {"remainingPotential", s.remainingPotential},
            {"raceBase", array(s.raceBase)},
            {"equipFive", array(s.equipFive)},
            {"equipStatus", array(s.equipStatus)},
            {"mountRaw", array(s.mountRaw)},
            {"mountFive", array(s.mountFive)},
            {"piece", pieces}};
}

BuildJson summariesToJson(const BuildSimulator& simulator) {
    const Catalogue& cat = simulator.catalogue();
    const CharacterBuild& b = simulator.build();
    const AttributeSheet& s = simulator.sheet();
    BuildJson equipment = BuildJson::array();
    BuildJson runes = BuildJson::array();
    for (int p = kFirstPiece; p <= kLastPiece; ++p) {
        equipment.push_back(equipmentSummary(b.equipment[p], cat));
        runes.push_back(runeSummary(b.equipment[p].runes, cat));
    }
    BuildJson buttons = BuildJson::array();
    BuildJson levels = BuildJson::array();
    for (int slot = 1; slot <= kBuildSkillSlots; ++slot) {
        const SchoolSkillInfo* row = cat.schoolSkill(b.race, b.school, slot);
        buttons.push_back(row ? schoolSkillButtonTip(*row) : std::string());
        levels.push_back(schoolSkillLevelTip(b, s, slot, cat));
    }
    const BottomSummary bottom = bottomSummary(b, s, cat);
    return {{"equipment", equipment},
            {"mount", mountSummary(b.mount, s.mountRaw)},
            {"runes", runes},
            {"schoolSkill", buttons},
            {"skillLevel", levels},
            {"bottom",
             {{"stunt", strings(bottom.stunt)},
              {"stuntTip", strings(bottom.stuntTip)},
              {"combination", strings(bottom.combination)},
              {"combinationTip", strings(bottom.combinationTip)},
              {"partEffect", strings(bottom.partEffect)},
              {"partEffectTip", strings(bottom.partEffectTip)},
              {"special", array(bottom.special)}}}};
}

std::optional<std::string> mergeRecordJson(BuildJson& target, const BuildJson& fields,
                                           const std::string& where) {
    if (target.is_object()) {
        if (!fields.is_object())
            return where + " must be an object";
        for (const auto& item : fields.items()) {
            if (!target.contains(item.key()))
                return "unknown field " + where + "." + item.key();
            if (auto error =
                    mergeRecordJson(target[item.key()], item.value(), where + "." + item.key()))
                return error;
        }
        return std::nullopt;
    }
    if (target.is_array()) {
        if (!fields.is_array() || fields.size() != target.size())
            return where + " must be an array of " + std::to_string(target.size()) + " values";
        for (std::size_t i = 0; i < target.size(); ++i)
            if (auto error =
                    mergeRecordJson(target[i], fields[i], where + "[" + std::to_string(i) + "]"))
                return error;
        return std::nullopt;
    }
    if (target.is_boolean()) {
        if (fields.is_boolean()) {
            target = fields;
        } else if (fields.is_number_integer() && (fields == 0 || fields == 1)) {
            target = fields == 1;
        } else {
            return where + " must be true or false";
        }
        return std::nullopt;
    }
    if (target.is_string()) {
        if (!fields.is_string())
            return where + " must be a text";
        target = fields;
        return std::nullopt;
    }
    if (target.is_number_float() || target.is_null()) {  // the growth
        if (!fields.is_number())
            return where + " must be a number";
        const double v = fields.get<double>();
        if (!(std::fabs(v) <= std::numeric_limits<float>::max()))
            return where + " is out of range";
        target = v;
        return std::nullopt;
    }
    if (!fields.is_number_integer())
        return where + " must be an integer";
    const bool fits =
        fields.is_number_unsigned()
            ? fields.get<std::uint64_t>() <= 2147483647u
            : fields.get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                  fields.get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
    if (!fits)
        return where + " is out of range";
    target = fields.get<std::int64_t>();
    return std::nullopt;
}

std::optional<std::string> setRecordField(BuildJson& target, const std::string& path,
                                          const std::string& value) {
    BuildJson* node = &target;
    std::size_t i = 0;
    while (i < path.size()) {
        if (path[i] == '[') {
            const std::size_t close = path.find(']', i);
            const std::string digits =
                close == std::string::npos ? std::string() : path.substr(i + 1, close - i - 1);
            if (digits.empty() || digits.size() > 4 ||
                digits.find_first_not_of("0123456789") != std::string::npos || !node->is_array())
                return "unknown field " + path;
            const std::size_t index = std::stoul(digits);
            if (index >= node->size())
                return "unknown field " + path;
            node = &(*node)[index];
            i = close + 1;
            if (i < path.size() && path[i] == '.')
                ++i;
            continue;
        }
        std::size_t end = path.find_first_of(".[", i);
        if (end == std::string::npos)
            end = path.size();
        const std::string key = path.substr(i, end - i);
        if (key.empty() || !node->is_object() || !node->contains(key))
            return "unknown field " + path;
        node = &(*node)[key];
        i = end < path.size() && path[end] == '.' ? end + 1 : end;
    }
    if (node == &target)
        return "unknown field " + path;
    BuildJson parsed;
    if (node->is_string()) {
        parsed = value;
    } else {
        parsed = BuildJson::parse(value, nullptr, false);
        if (parsed.is_discarded())
            return "bad value for " + path + ": " + value;
    }
    return mergeRecordJson(*node, parsed, path);
}

void jsonToRecord(const BuildJson& j, BuildRecord& record) {
    CharacterBuild b;
    forEachField(b, FieldsFromJson{j});
    record.writeBuild(b);
}

}  // namespace kalvix
