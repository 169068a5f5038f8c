#pragma once
// The tooltip markup of the furniture dialog: an item's card and the house rules table.

#include <string>

namespace kalvix {

class Catalogue;
struct FurnitureInfo;

// The item's tip: its id (an icon number no icon has, so only the text shows), name,
// description, kind and grade as a numeral.
std::string furnitureItemTip(const Catalogue& catalogue, const FurnitureInfo& item);

// How many items of each kind a house of each class holds.
const std::string& houseRulesTip();

}  // namespace kalvix
