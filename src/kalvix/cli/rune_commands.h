#pragma once
// kalvix-calc commands over single catalogue rules: rune matching and texts, school skill
// bonuses and furniture recipes.

#include <string>
#include <vector>

#include "calc_result.h"

namespace kalvix {

// rune-match <colour …>: colours of holes 1..5 by name (红 … 紫, 无, Red … Purple, None) or value.
CalcResult runeMatchCommand(const std::vector<std::string>& args);
// rune-text <combination id> <level>
CalcResult runeTextCommand(const std::vector<std::string>& args);
// stone-text <stone id>
CalcResult stoneTextCommand(const std::vector<std::string>& args);
// skill-bonus <race index> <school index> <slot> <level> [baseHP|baseMP|hitBonus]
CalcResult skillBonusCommand(const std::vector<std::string>& args);
// recipe-match <m1> <m2> <m3> <m4>: material indexes 0..18 or names
CalcResult recipeMatchCommand(const std::vector<std::string>& args);

}  // namespace kalvix
