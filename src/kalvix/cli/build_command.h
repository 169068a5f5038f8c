#pragma once
#include <string>
#include <vector>

#include "calc_result.h"

namespace kalvix {

// kalvix-calc build decode FILE.PSF | encode FILE.json OUT.PSF | new [field=value ...]
// [--save OUT.PSF]
CalcResult buildCommand(const std::vector<std::string>& args);

}  // namespace kalvix
