#include "batch.h"

#include <exception>
#include <istream>
#include <string>
#include <vector>

#include "calc_request.h"
#include "json_output.h"

namespace kalvix {
namespace {

CalcResult answer(const std::string& text) {
    const auto request = nlohmann::json::parse(text, nullptr, false);
    if (request.is_discarded() || !request.is_array())
        return CalcResult::refused("a request is a JSON array of strings");
    std::vector<std::string> args;
    for (const auto& a : request) {
        if (!a.is_string())
            return CalcResult::refused("a request is a JSON array of strings");
        args.push_back(a.get<std::string>());
    }
    CalcLine line;
    std::string error;
    if (!parseCalcLine(args, line, error))
        return CalcResult::refused(error);
    if (line.help || line.version || line.batch)
        return CalcResult::refused("--help, --version and --batch are not requests");
    return runRequest(line);
}

}  // namespace

int runBatch(std::istream& in, std::ostream& out) {
    std::string text;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        CalcResult r;
        // A request that throws is refused on its own line; the batch goes on.
        try {
            r = answer(text);
        } catch (const std::exception& e) {
            r = CalcResult::refused(e.what());
        }
        printJsonLine(r.exitCode == 2 ? nlohmann::ordered_json{{"error", r.error}} : r.output, out);
    }
    return 0;
}

}  // namespace kalvix
