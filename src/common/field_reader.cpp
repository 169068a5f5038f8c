#include "common/field_reader.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace common {

std::string rangeMessage(std::int64_t min, std::int64_t max) {
    return "请输入一个 " + std::to_string(min) + " 至 " + std::to_string(max) + " 之间的整数。";
}

bool FieldReader::refuse(std::string_view field, std::string text) {
    failure_ = FieldFailure{std::string(field), std::move(text)};
    return false;
}

bool FieldReader::readInt(std::string_view field, std::string_view text, std::int32_t& member) {
    if (failed())
        return false;
    auto v = parseInteger(text, INT32_MIN, INT32_MAX);
    if (!v)
        return refuse(field, kNotAnInteger);
    member = static_cast<std::int32_t>(*v);
    return true;
}

bool FieldReader::readInt64(std::string_view field, std::string_view text, std::int64_t& member) {
    if (failed())
        return false;
    auto v = parseInteger(text);
    if (!v)
        return refuse(field, kNotAnInteger);
    member = *v;
    return true;
}

bool FieldReader::readIntRange(std::string_view field, std::string_view text, std::int32_t& member,
                               std::int32_t min, std::int32_t max) {
    if (!readInt(field, text, member))
        return false;
    if (member < min || member > max)
        return refuse(field, rangeMessage(min, max));
    return true;
}

bool FieldReader::readDouble(std::string_view field, std::string_view text, double& member) {
    if (failed())
        return false;
    auto v = parseNumber(text);
    if (!v)
        return refuse(field, kNotANumber);
    member = *v;
    return true;
}

bool FieldReader::readFloat(std::string_view field, std::string_view text, float& member) {
    if (failed())
        return false;
    auto v = parseNumber(text);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max())
        return refuse(field, kNotANumber);
    member = static_cast<float>(*v);
    return true;
}

}  // namespace common
