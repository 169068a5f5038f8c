#include "build_json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "kalvix/core/catalogue/catalogue.h"
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

BuildJson equipmentJson(const EquipmentRecord& p) {
    BuildJson runes = {{"holeCount", p.runes.holeCount},
                       {"reserved", p.runes.reserved},
                       {"combinationId", p.runes.combinationId},
                       {"combinationLevelIndex", p.runes.combinationLevelIndex},
                       {"stoneIds", array(p.runes.stoneIds)}};
    return {{"slot", p.slot},
            {"levelIndex", p.levelIndex},
            {"strengthened", p.strengthened},
            {"stunt", p.stunt},
            {"partEffects", p.partEffects},
            {"generalEffects", p.generalEffects},
            {"baseFive", array(p.baseFive)},
            {"baseStatus", array(p.baseStatus)},
            {"addedFive", array(p.addedFive)},
            {"meltFive", array(p.meltFive)},
            {"meltStatus", array(p.meltStatus)},
            {"runes", runes}};
}

template <std::size_t N>
void readArray(const BuildJson& j, std::array<std::int32_t, N>& out) {
    for (std::size_t i = 0; i < N; ++i)
        out[i] = j.at(i).get<std::int32_t>();
}

EquipmentRecord equipmentFromJson(const BuildJson& j) {
    EquipmentRecord p;
    p.slot = j.at("slot").get<std::int32_t>();
    p.levelIndex = j.at("levelIndex").get<std::int32_t>();
    p.strengthened = j.at("strengthened").get<bool>();
    p.stunt = j.at("stunt").get<std::int32_t>();
    p.partEffects = j.at("partEffects").get<std::int32_t>();
    p.generalEffects = j.at("generalEffects").get<std::int32_t>();
    readArray(j.at("baseFive"), p.baseFive);
    readArray(j.at("baseStatus"), p.baseStatus);
    readArray(j.at("addedFive"), p.addedFive);
    readArray(j.at("meltFive"), p.meltFive);
    readArray(j.at("meltStatus"), p.meltStatus);
    const BuildJson& r = j.at("runes");
    p.runes.holeCount = r.at("holeCount").get<std::int32_t>();
    p.runes.reserved = r.at("reserved").get<std::int32_t>();
    p.runes.combinationId = r.at("combinationId").get<std::int32_t>();
    p.runes.combinationLevelIndex = r.at("combinationLevelIndex").get<std::int32_t>();
    readArray(r.at("stoneIds"), p.runes.stoneIds);
    return p;
}

}  // namespace

BuildJson recordToJson(const BuildRecord& record) {
    const CharacterBuild b = record.readBuild();
    BuildJson equipment = BuildJson::array();
    for (const EquipmentRecord& p : b.equipment)
        equipment.push_back(equipmentJson(p));
    return {{"race", b.race},
            {"school", b.school},
            {"server", b.server},
            {"area", b.area},
            {"name", b.name},
            {"ascended", b.ascended},
            {"level", b.level},
            {"extraPotential", b.extraPotential},
            {"skillLevel", array(b.skillLevel)},
            {"auxLevel", array(b.auxLevel)},
            {"allocated", array(b.allocated)},
            {"mount",
             {{"growth", floatJson(b.mount.growth)},
              {"carried", array(b.mount.carried)},
              {"five", array(b.mount.five)}}},
            {"equipment", equipment}};
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
    b.race = j.at("race").get<std::int32_t>();
    b.school = j.at("school").get<std::int32_t>();
    b.server = j.at("server").get<std::string>();
    b.area = j.at("area").get<std::string>();
    b.name = j.at("name").get<std::string>();
    b.ascended = j.at("ascended").get<bool>();
    b.level = j.at("level").get<std::int32_t>();
    b.extraPotential = j.at("extraPotential").get<std::int32_t>();
    readArray(j.at("skillLevel"), b.skillLevel);
    readArray(j.at("auxLevel"), b.auxLevel);
    readArray(j.at("allocated"), b.allocated);
    const BuildJson& m = j.at("mount");
    b.mount.growth =
        m.at("growth").is_null() ? 0.0f : static_cast<float>(m.at("growth").get<double>());
    readArray(m.at("carried"), b.mount.carried);
    readArray(m.at("five"), b.mount.five);
    const BuildJson& e = j.at("equipment");
    for (int i = 0; i < kEquipmentRecords; ++i)
        b.equipment[i] = equipmentFromJson(e.at(i));
    record.writeBuild(b);
}

}  // namespace kalvix
