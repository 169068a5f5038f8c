// kalvix-calc: the toolbox's rules as JSON, driving the same page models as the windows.

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "build_command.h"
#include "catalogue_command.h"
#include "common/field_reader.h"
#include "json_output.h"
#include "kalvix/build_config.h"
#include "kalvix/core/page/clock.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/quiz/quiz_page.h"
#include "kalvix/core/registry/page_registry.h"
#include "page_runner.h"
#include "rune_commands.h"
#include "simulation_options.h"

namespace {

void printHelp() {
    std::cout
        << "usage: kalvix-calc [--time=T] [--store=FILE] [--controls] <page> [<argument> ...]\n"
           "       kalvix-calc --version | --help\n"
           "       kalvix-calc catalogue [<table>]\n"
           "       kalvix-calc build decode FILE.PSF | encode FILE.json OUT.PSF |\n"
           "                         new [<field>=<value> ...] [--save OUT.PSF]\n"
           "       kalvix-calc rune-match <colour names or values ...>\n"
           "       kalvix-calc rune-text <combination id> <level>\n"
           "       kalvix-calc stone-text <stone id>\n"
           "       kalvix-calc skill-bonus <race index> <school index> <slot> <level> [base]\n"
           "       kalvix-calc recipe-match <m1> <m2> <m3> <m4>\n"
           "\n"
           "Arguments act on the page in order, as a user would:\n"
           "  <caption>=<value>   type into or choose in a control (#n chooses position n)\n"
           "  <caption>           press a button\n"
           "  @focus=<caption>    move the keyboard focus\n"
           "  @tick=<n>           deliver n timer events\n"
           "  @answer=ok|cancel   answer the next question box\n"
           "  --time=T            fix the clock (seconds since 1970)\n"
           "  --load=FILE.PSF     人物模拟加点系统: open with a build file loaded\n"
           "  --save=FILE.PSF     人物模拟加点系统: write the build file at the end\n"
           "  --compare=FILE.PSF  人物模拟加点系统: this build and that one side by side\n"
           "  --controls          also print every control's state (text, checked, enabled,\n"
           "                      visible; a list's items and current position)\n"
           "  --store=FILE        the question store of 答题器 (default: Conversion.dat beside\n"
           "                      the program)\n"
           "\n"
           "Pages (caption, alias):\n";
    for (const auto& p : kalvix::pageRegistry())
        if (p.create)
            std::cout << "  " << p.caption << "  " << p.alias << '\n';
    std::cout << "\nCatalogue tables:\n";
    for (const auto& t : kalvix::catalogueTables())
        std::cout << "  " << t.first << '\n';
}

}  // namespace

// Behind main, which turns anything it throws into the one-line error.
static int runCalc(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::size_t i = 0;
    std::string store;                              // --store=FILE: the question store of 答题器
    kalvix::Clock clock = kalvix::Clock::system();  // --time=T fixes it
    bool controls = false;                          // --controls: every control's state too
    std::vector<std::string> simulationArgs;        // --load=, --save=, --compare= before the page
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        const std::string& a = args[i];
        if (a == "--help") {
            printHelp();
            return 0;
        }
        if (a == "--version") {
            std::cout << "kalvix-calc " << kalvix::config::kVersion << '\n';
            return 0;
        }
        if (a.rfind("--time=", 0) == 0) {
            auto t = common::parseInteger(a.substr(7));
            if (!t) {
                std::cerr << "kalvix-calc: bad time: " << a.substr(7) << '\n';
                return 2;
            }
            clock = kalvix::Clock::fixedAt(*t);
            continue;
        }
        if (a == "--controls") {
            controls = true;
            continue;
        }
        if (a.rfind("--store=", 0) == 0) {
            store = a.substr(8);
            continue;
        }
        if (a.rfind("--load=", 0) == 0 || a.rfind("--save=", 0) == 0 ||
            a.rfind("--compare=", 0) == 0) {
            simulationArgs.push_back(a);
            continue;
        }
        std::cerr << "kalvix-calc: unknown option: " << a << '\n';
        return 2;
    }
    if (i >= args.size()) {
        printHelp();
        return 2;
    }
    const std::string name = args[i++];
    std::vector<std::string> rest(args.begin() + static_cast<long>(i), args.end());
    if (name == "catalogue")
        return kalvix::catalogueCommand(rest);
    if (name == "build")
        return kalvix::buildCommand(rest);
    if (name == "rune-match")
        return kalvix::runeMatchCommand(rest);
    if (name == "rune-text")
        return kalvix::runeTextCommand(rest);
    if (name == "stone-text")
        return kalvix::stoneTextCommand(rest);
    if (name == "skill-bonus")
        return kalvix::skillBonusCommand(rest);
    if (name == "recipe-match")
        return kalvix::recipeMatchCommand(rest);
    const kalvix::PageEntry* entry = kalvix::findPage(name);
    if (!entry) {
        std::cerr << "kalvix-calc: unknown page: " << name << '\n';
        return 2;
    }
    // --controls, like the simulator page's build file options, may stand after the page too.
    if (auto it = std::find(rest.begin(), rest.end(), "--controls"); it != rest.end()) {
        controls = true;
        rest.erase(it);
    }
    // The simulator page's build file options may stand before or after the page.
    kalvix::SimulationOptions simulation;
    std::string optionError;
    rest.insert(rest.begin(), simulationArgs.begin(), simulationArgs.end());
    if (!kalvix::takeSimulationOptions(rest, simulation, optionError)) {
        std::cerr << "kalvix-calc: " << optionError << '\n';
        return 2;
    }
    kalvix::PageContext context;
    context.setClock(clock);
    auto page = entry->create(context);
    if (!kalvix::applyLoadOption(*page, simulation, optionError)) {
        std::cerr << "kalvix-calc: " << optionError << '\n';
        return 2;
    }
    if (auto* quiz = dynamic_cast<kalvix::QuizPage*>(page.get()); quiz && !store.empty())
        quiz->setStorePath(store);
    kalvix::RunResult r = kalvix::runPage(*page, rest, controls);
    if (!r.ok) {
        std::cerr << "kalvix-calc: " << r.error << '\n';
        return 2;
    }
    const bool saved = kalvix::applySaveOption(*page, simulation, r.output);
    kalvix::printJson(r.output);
    return saved ? 0 : 1;
}

int main(int argc, char** argv) {
    try {
        return runCalc(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "kalvix-calc: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "kalvix-calc: unexpected error\n";
    }
    return 2;
}
