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
        else if (a.rfind("--compare=", 0) == 0)
            target = &options.compare;
        if (!target) {
            rest.push_back(a);
            continue;
        }
        *target = a.substr(a.find('=') + 1);
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
        error = std::string("--load, --save and --compare belong to ") + kSimulationTitle;
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
    if (!simulation)
        return true;
    bool ok = true;
    if (!options.compare.empty()) {
        ok = simulation->compareWithFile(options.compare);
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (const ComparedAttribute& a : simulation->comparison())
            rows.push_back({{"attribute", a.name},
                            {"this", a.mine},
                            {"other", a.other},
                            {"difference", a.difference()},
                            {"verdict", a.verdict() > 0   ? "better"
                                        : a.verdict() < 0 ? "worse"
                                                          : "same"}});
        output["对比"] = rows;
    }
    if (!options.save.empty())
        ok = simulation->saveTo(options.save) && ok;
    for (const PageMessage& m : simulation->takeMessages())
        output["messages"].push_back({{"where", "box"}, {"text", m.text}});
    return ok;
}

}  // namespace kalvix
