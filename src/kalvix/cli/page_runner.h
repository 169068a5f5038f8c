#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace kalvix {
class PageModel;

struct RunResult {
    bool ok = true;
    std::string error;  // one line, when !ok
    nlohmann::ordered_json output;
};

// Applies the arguments to the page in order, as a user would, and collects its result fields
// and the messages it showed. `opening` holds messages the page showed while opening.
// With withControls the output also holds "controls": every control's state.
RunResult runPage(PageModel& page, const std::vector<std::string>& args, bool withControls = false);

// The page's result fields and the given messages as the JSON object of kalvix-calc.
nlohmann::ordered_json pageOutput(const PageModel& page, const nlohmann::ordered_json& messages);

// Every control of the page by caption: {"text", "checked", "enabled", "visible"}, lists also
// "items" and "current", tables "items" as rows of cells.
nlohmann::ordered_json controlsOutput(const PageModel& page);

}  // namespace kalvix
