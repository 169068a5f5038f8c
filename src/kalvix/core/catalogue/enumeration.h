#pragma once
#include <cstdint>
#include <string>

namespace kalvix {

// Categories of the enumeration table.
enum EnumCategory : std::int32_t {
    kEnumColour = 101,
    kEnumEquipSlot = 102,
    kEnumAttribute = 103,
    kEnumStatus = 104,
    kEnumSchool = 105,
    kEnumStuntKind = 106,
    kEnumFurnitureKind = 107,
    kEnumNumeral = 108,
};

// One named value. An empty slot has category 0 and never matches a lookup.
struct EnumRow {
    std::int32_t category = 0;
    std::int32_t key = 0;
    std::int32_t value = 0;
    std::string english;  // ASCII storage key, at most 19 characters
    std::string chinese;  // display name, at most 31 GBK bytes
};

}  // namespace kalvix
