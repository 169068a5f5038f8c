#pragma once
// kalvix-calc's build file options of the simulator page: --load=FILE.PSF opens the page with
// the file loaded (as 读取 would), --save=FILE.PSF writes the build at the end (as 保存 would).

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace kalvix {

class PageModel;

struct SimulationOptions {
    std::string load;
    std::string save;
    std::string compare;  // --compare=OTHER.PSF: the two builds side by side in the output
    bool any() const { return !load.empty() || !save.empty() || !compare.empty(); }
};

// Takes the options out of args, wherever they stand; false (with error set) for an option
// without a file name.
bool takeSimulationOptions(std::vector<std::string>& args, SimulationOptions& options,
                           std::string& error);

// Before the arguments: loads the file into the page. False (with error set) when the page is
// not the simulator page.
bool applyLoadOption(PageModel& page, const SimulationOptions& options, std::string& error);

// After the arguments: saves the build and adds a failure's message to the output. False when
// the file could not be written. With --compare the output gets "对比": each attribute with
// this build's value, the other's, the difference and which one is better.
bool applySaveOption(PageModel& page, const SimulationOptions& options,
                     nlohmann::ordered_json& output);

}  // namespace kalvix
