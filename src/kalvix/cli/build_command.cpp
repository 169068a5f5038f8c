#include "build_command.h"

#include <fstream>
#include <sstream>

#include "build_json.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_file.h"
#include "kalvix/core/simulator/build_record.h"
#include "kalvix/core/simulator/build_simulator.h"

namespace kalvix {
namespace {

CalcResult fail(const std::string& message) {
    return CalcResult::refused(message);
}

// The message texts end in a line feed; the command line wants one line.
std::string oneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// The record of a freshly opened simulator at level 0.
BuildRecord freshRecord() {
    BuildRecord record;
    record.resetDefaults();
    return record;
}

CalcResult print(const BuildRecord& record, const BuildSimulator& simulator) {
    return CalcResult::printed({{"record", recordToJson(record)},
                                {"sheet", sheetToJson(simulator)},
                                {"summaries", summariesToJson(simulator)}});
}

CalcResult decode(const std::vector<std::string>& args) {
    if (args.size() != 1)
        return fail("usage: build decode FILE.PSF");
    BuildRecord record = freshRecord();
    BuildSimulator simulator(Catalogue::instance(), 0);
    const BuildFileResult loaded = loadBuildFile(args[0], record);
    if (loaded.status == BuildFileStatus::OpenFailed)
        return fail(oneLine(loaded.message));
    if (loaded.status == BuildFileStatus::Done)
        simulator.applyRecord(record);
    return print(record, simulator);
}

CalcResult encode(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return fail("usage: build encode FILE.json OUT.PSF");
    std::ifstream in(args[0], std::ios::binary);
    if (!in)
        return fail("cannot read " + args[0]);
    std::stringstream text;
    text << in.rdbuf();
    const BuildJson input = BuildJson::parse(text.str(), nullptr, false);
    if (input.is_discarded() || !input.is_object())
        return fail(args[0] + " is not a JSON object");
    if (!input.contains("record"))
        return fail(args[0] + " has no \"record\"");
    BuildRecord record = freshRecord();
    BuildJson fields = recordToJson(record);
    if (auto error = mergeRecordJson(fields, input.at("record")))
        return fail(*error);
    jsonToRecord(fields, record);
    const BuildFileResult saved = saveBuildFile(args[1], record);
    if (saved.status != BuildFileStatus::Done)
        return fail(oneLine(saved.message));
    return CalcResult::printed({{"file", args[1]}});
}

CalcResult create(const std::vector<std::string>& args) {
    BuildRecord record = freshRecord();
    BuildJson fields = recordToJson(record);
    std::string savePath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--save" || a.rfind("--save=", 0) == 0) {
            if (a == "--save") {
                if (i + 1 >= args.size())
                    return fail("--save needs a file name");
                savePath = args[++i];
            } else {
                savePath = a.substr(7);
            }
            if (savePath.empty())
                return fail("--save needs a file name");
            continue;
        }
        const std::size_t eq = a.find('=');
        if (eq == std::string::npos || eq == 0)
            return fail("expected field=value: " + a);
        if (auto error = setRecordField(fields, a.substr(0, eq), a.substr(eq + 1)))
            return fail(*error);
    }
    jsonToRecord(fields, record);
    BuildSimulator simulator(Catalogue::instance(), 0);
    simulator.applyRecord(record);
    if (!savePath.empty()) {
        const BuildFileResult saved = saveBuildFile(savePath, record);
        if (saved.status != BuildFileStatus::Done)
            return fail(oneLine(saved.message));
    }
    return print(record, simulator);
}

}  // namespace

CalcResult buildCommand(const std::vector<std::string>& args) {
    if (args.empty())
        return fail(
            "usage: build decode FILE.PSF | encode FILE.json OUT.PSF | "
            "new [field=value ...] [--save OUT.PSF]");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "decode")
        return decode(rest);
    if (args[0] == "encode")
        return encode(rest);
    if (args[0] == "new")
        return create(rest);
    return fail("unknown build command: " + args[0]);
}

}  // namespace kalvix
