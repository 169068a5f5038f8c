#pragma once
// Every JSON kalvix-calc prints goes through here: output is valid UTF-8 whatever a store row,
// an argument or a file name holds, invalid bytes becoming U+FFFD.

#include <iostream>

#include <nlohmann/json.hpp>

namespace kalvix {

inline void printJson(const nlohmann::ordered_json& json, std::ostream& out = std::cout) {
    out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

// One line, at once: whoever feeds a batch waits for each answer before the next question.
inline void printJsonLine(const nlohmann::ordered_json& json, std::ostream& out) {
    out << json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n'
        << std::flush;
}

}  // namespace kalvix
