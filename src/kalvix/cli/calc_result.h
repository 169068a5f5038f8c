#pragma once
// What one kalvix-calc request gives: the JSON it prints, or a one-line refusal. A single call
// prints the JSON indented and the refusal on stderr; --batch prints either on one line.

#include <string>
#include <utility>

#include <nlohmann/json.hpp>

namespace kalvix {

struct CalcResult {
    // 0: printed; 1: printed, but a file could not be written; 2: refused, nothing printed.
    int exitCode = 0;
    nlohmann::ordered_json output;  // when exitCode is not 2
    std::string error;              // one line without the program's name, when it is 2

    static CalcResult printed(nlohmann::ordered_json json, int exitCode = 0) {
        return CalcResult{exitCode, std::move(json), {}};
    }
    static CalcResult refused(std::string message) { return CalcResult{2, {}, std::move(message)}; }
};

}  // namespace kalvix
