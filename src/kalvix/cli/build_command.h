#pragma once
#include <string>
#include <vector>

namespace kalvix {

// kalvix-calc build decode FILE.PSF | encode FILE.json OUT.PSF | new [field=value ...]
// [--save OUT.PSF]: returns the exit code.
int buildCommand(const std::vector<std::string>& args);

}  // namespace kalvix
