#pragma once
// kalvix-calc commands over single catalogue rules: rune matching and texts, school skill
// bonuses and furniture recipes. Each returns the exit code.

#include <string>
#include <vector>

namespace kalvix {

// rune-match <colour …>: colours of holes 1..5 by name (红 … 紫, 无, Red … Purple, None) or value.
int runeMatchCommand(const std::vector<std::string>& args);
// rune-text <combination id> <level>
int runeTextCommand(const std::vector<std::string>& args);
// stone-text <stone id>
int stoneTextCommand(const std::vector<std::string>& args);
// skill-bonus <race index> <school index> <slot> <level> [baseHP|baseMP|hitBonus]
int skillBonusCommand(const std::vector<std::string>& args);
// recipe-match <m1> <m2> <m3> <m4>: material indexes 0..18 or names
int recipeMatchCommand(const std::vector<std::string>& args);

}  // namespace kalvix
