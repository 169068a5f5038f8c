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
    bool any() const { return !load.empty() || !save.empty(); }
};

// Takes the options out of args, wherever they stand; false (with error set) for an option
// without a file name.
bool takeSimulationOptions(std::vector<std::string>& args, SimulationOptions& options,
                           std::string& error);

// Before the arguments: loads the file into the page. False (with error set) when the page is
// not the simulator page.
bool applyLoadOption(PageModel& page, const SimulationOptions& options, std::string& error);

// After the arguments: saves the build and adds a failure's message to the output. False when
// the file could not be written.
bool applySaveOption(PageModel& page, const SimulationOptions& options,
                     nlohmann::ordered_json& output);

}  // namespace kalvix
