// kalvix-calc's build JSON: `build encode` merges a "record" object into a fresh record and
// `build new` sets fields from field=value arguments; both must refuse what does not fit with
// a message, never throw, and what `build decode` prints must encode back to the same build.
//   input '{' ...: the JSON file of `build encode`
//   input 0x01 ...: a build record's bytes, printed and encoded back
//   otherwise: one field=value argument of `build new` a line
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "kalvix/cli/build_json.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_record.h"
#include "kalvix/core/simulator/build_simulator.h"

namespace {

using kalvix::BuildJson;
using kalvix::BuildRecord;

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

BuildRecord freshRecord() {
    BuildRecord record;
    record.resetDefaults();
    return record;
}

// What kalvix-calc prints of a record, as it prints it: applied to a simulator first, which
// writes back what the simulator holds. Returns the record printed.
BuildRecord print(BuildRecord record) {
    kalvix::BuildSimulator simulator(kalvix::Catalogue::instance(), 0);
    simulator.applyRecord(record);
    const BuildJson out = {{"record", kalvix::recordToJson(record)},
                           {"sheet", kalvix::sheetToJson(simulator)},
                           {"summaries", kalvix::summariesToJson(simulator)}};
    (void)out.dump(2);
    return record;
}

bool hasReplacement(const BuildJson& record) {
    for (const char* key : {"server", "area", "name"})
        if (record.at(key).get<std::string>().find("\xEF\xBF\xBD") != std::string::npos)
            return true;
    return false;
}

// `build decode` then `build encode` of its "record": the same build, texts included unless
// the record held bytes that are no GBK text.
void checkReencodes(const BuildRecord& record) {
    const BuildJson printed = kalvix::recordToJson(record);
    if (printed.at("mount").at("growth").is_null())
        return;  // a growth that is no finite number prints as null, which no input can say
    BuildJson fields = kalvix::recordToJson(freshRecord());
    check(!kalvix::mergeRecordJson(fields, printed));
    BuildRecord again = freshRecord();
    kalvix::jsonToRecord(fields, again);
    BuildJson reread = kalvix::recordToJson(again);
    if (hasReplacement(printed)) {
        BuildJson a = printed;
        for (const char* key : {"server", "area", "name"})
            a[key] = reread[key] = "";
        check(a == reread);
    } else {
        check(printed == reread);
    }
}

void encode(std::string_view text) {
    const BuildJson input = BuildJson::parse(text, nullptr, false);
    if (input.is_discarded() || !input.is_object() || !input.contains("record"))
        return;
    BuildRecord record = freshRecord();
    BuildJson fields = kalvix::recordToJson(record);
    if (kalvix::mergeRecordJson(fields, input.at("record")))
        return;
    kalvix::jsonToRecord(fields, record);
    checkReencodes(print(record));
}

void create(std::string_view text) {
    BuildRecord record = freshRecord();
    BuildJson fields = kalvix::recordToJson(record);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string argument(text.substr(pos, end - pos));
        pos = end + 1;
        const std::size_t eq = argument.find('=');
        if (eq == std::string::npos || eq == 0)
            return;
        if (kalvix::setRecordField(fields, argument.substr(0, eq), argument.substr(eq + 1)))
            return;
    }
    kalvix::jsonToRecord(fields, record);
    checkReencodes(print(record));
}

void decode(std::string_view bytes) {
    BuildRecord record = freshRecord();
    std::copy_n(bytes.begin(), std::min(bytes.size(), record.bytes().size()),
                record.bytes().begin());
    checkReencodes(print(record));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 16384)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input[0] == '{')
        encode(input);
    else if (input[0] == '\x01')
        decode(input.substr(1));
    else
        create(input);
    return 0;
}
