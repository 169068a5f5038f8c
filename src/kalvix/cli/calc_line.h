#pragma once
// kalvix-calc's options before the page or command: parsed with CLI11, which stops at the first
// word it does not know, so the page and its arguments (体质.-5, --controls, --load=…) reach
// the page as they were typed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvix {

struct CalcLine {
    std::optional<std::int64_t> time;         // --time=T: the clock, fixed
    std::string store;                        // --store=FILE: the question store of 答题器
    bool controls = false;                    // --controls: every control's state too
    std::vector<std::string> simulationArgs;  // --load=, --save=, --compare= before the page
    bool help = false;
    bool version = false;
    bool batch = false;
    std::vector<std::string> rest;  // the page or command and its arguments
};

// The options of args (argv without the program); false with error set when one is refused.
bool parseCalcLine(const std::vector<std::string>& args, CalcLine& line, std::string& error);

// What --help prints.
std::string calcHelp();

}  // namespace kalvix
