#include "simulation_options.h"

#include "kalvix/core/simulator/simulation_page.h"

namespace kalvix {

bool takeSimulationOptions(std::vector<std::string>& args, SimulationOptions& options,
                           std::string& error) {
    std::vector<std::string> rest;
    for (const std::string& a : args) {
        std::string* target = nullptr;
        if (a.rfind("--load=", 0) == 0)
            target = &options.load;
        else if (a.rfind("--save=", 0) == 0)
            target = &options.save;
        if (!target) {
            rest.push_back(a);
            continue;
        }
        *target = a.substr(7);
        if (target->empty()) {
            error = "missing file name: " + a;
            return false;
        }
    }
    args.swap(rest);
    return true;
}

bool applyLoadOption(PageModel& page, const SimulationOptions& options, std::string& error) {
    if (!options.any())
        return true;
    auto* simulation = dynamic_cast<SimulationPage*>(&page);
    if (!simulation) {
        error = std::string("--load and --save belong to ") + kSimulationTitle;
        return false;
    }
    // A file that cannot be read shows its box among the opening messages, as in the window.
    if (!options.load.empty())
        simulation->loadFrom(options.load);
    return true;
}

bool applySaveOption(PageModel& page, const SimulationOptions& options,
                     nlohmann::ordered_json& output) {
    auto* simulation = dynamic_cast<SimulationPage*>(&page);
    if (options.save.empty() || !simulation)
        return true;
    const bool saved = simulation->saveTo(options.save);
    for (const PageMessage& m : simulation->takeMessages())
        output["messages"].push_back({{"where", "box"}, {"text", m.text}});
    return saved;
}

}  // namespace kalvix
