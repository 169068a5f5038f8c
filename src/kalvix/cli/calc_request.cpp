#include "calc_request.h"

#include <algorithm>

#include "build_command.h"
#include "catalogue_command.h"
#include "kalvix/core/page/clock.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/quiz/quiz_page.h"
#include "kalvix/core/registry/page_registry.h"
#include "page_runner.h"
#include "rune_commands.h"
#include "simulation_options.h"

namespace kalvix {
namespace {

using Command = CalcResult (*)(const std::vector<std::string>&);

Command findCommand(const std::string& name) {
    static const std::pair<const char*, Command> commands[] = {
        {"catalogue", catalogueCommand},      {"build", buildCommand},
        {"rune-match", runeMatchCommand},     {"rune-text", runeTextCommand},
        {"stone-text", stoneTextCommand},     {"skill-bonus", skillBonusCommand},
        {"recipe-match", recipeMatchCommand},
    };
    for (const auto& [n, command] : commands)
        if (name == n)
            return command;
    return nullptr;
}

}  // namespace

CalcResult runRequest(const CalcLine& line) {
    if (line.rest.empty())
        return CalcResult::refused("no page given (kalvix-calc --help lists them)");
    const std::string& name = line.rest.front();
    std::vector<std::string> rest(line.rest.begin() + 1, line.rest.end());
    if (Command command = findCommand(name))
        return command(rest);
    const PageEntry* entry = findPage(name);
    if (!entry)
        return CalcResult::refused("unknown page: " + name);
    bool controls = line.controls;
    // --controls, like the simulator page's build file options, may stand after the page too.
    if (auto it = std::find(rest.begin(), rest.end(), "--controls"); it != rest.end()) {
        controls = true;
        rest.erase(it);
    }
    SimulationOptions simulation;
    std::string error;
    rest.insert(rest.begin(), line.simulationArgs.begin(), line.simulationArgs.end());
    if (!takeSimulationOptions(rest, simulation, error))
        return CalcResult::refused(error);
    PageContext context;
    // Every request starts from the clock as it is, unless it fixes it itself.
    context.setClock(line.time ? Clock::fixedAt(*line.time) : Clock::system());
    auto page = entry->create(context);
    if (!applyLoadOption(*page, simulation, error))
        return CalcResult::refused(error);
    if (auto* quiz = dynamic_cast<QuizPage*>(page.get()); quiz && !line.store.empty())
        quiz->setStorePath(line.store);
    RunResult r = runPage(*page, rest, controls);
    if (!r.ok)
        return CalcResult::refused(r.error);
    const bool saved = applySaveOption(*page, simulation, r.output);
    return CalcResult::printed(std::move(r.output), saved ? 0 : 1);
}

}  // namespace kalvix
