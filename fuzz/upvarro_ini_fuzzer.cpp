// upvarro.ini is edited by hand, and the updater writes values into it that came from the
// network. Every key reads safely, a value set reads back as set and stays on its key's line
// (no other key changes, also after the text is written and read again), and the date reads
// in any shape.
//   input: the file's text; after a NUL, a value the updater sets into one of its keys
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/profile_file.h"
#include "upvarro/core/settings.h"

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

struct Key {
    const char* section;
    const char* key;
};

const Key kKeys[] = {
    {"Version", "Version"},
    {"Version", "Title"},
    {"Version", "WaterMarkPath"},
    {"Version", "BannerPath"},
    {"UpdateType", "AutoUpdateFlag"},
    {"UpdateType", "UpdateLater"},
    {"UpdateType", "AutoNextStep"},
    {"UpdateType", "LastUpdateDate"},
    {"UpdateType", "DownloadThreadNumber"},
    {"Server", "UpdateHost"},
    {"Server", "UpdatePort"},
    {"Server", "UpdateListUrlPath"},
    {"Server", "LogLevel"},
    {"Other", "Title"},
};

std::vector<std::optional<std::string>> values(const common::ProfileFile& ini) {
    std::vector<std::optional<std::string>> out;
    for (const Key& k : kKeys) {
        out.push_back(ini.value(k.section, k.key));
        const std::int32_t n = ini.getInt(k.section, k.key, -7);
        check(n >= 0 || (n == -7 && !out.back()));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view text = input.substr(0, nul);

    common::ProfileFile ini;
    ini.parse(text);
    const auto before = values(ini);
    const std::string date = ini.getString("UpdateType", "LastUpdateDate", "");
    upvarro::formatLastUpdateDate(upvarro::parseLastUpdateDate(date, 0));
    upvarro::parseLastUpdateDate(std::string(text.substr(0, 256)), 1700000000);

    auto after = before;
    if (nul != std::string_view::npos) {
        const std::string_view value = input.substr(nul + 1);
        const std::size_t which = value.size() % std::size(kKeys);
        ini.setString(kKeys[which].section, kKeys[which].key, value);
        after = values(ini);
        for (std::size_t i = 0; i < std::size(kKeys); ++i)
            if (i != which)
                check(after[i] == before[i]);
        // The value reads back as it was set, without the line ends it cannot keep.
        std::string kept;
        for (char c : value)
            if (c != '\r' && c != '\n' && c != '\0')
                kept += c;
        check(after[which] == kept);
    }

    // What is written reads back the same.
    common::ProfileFile reread;
    reread.parse(ini.text());
    check(values(reread) == after);
    return 0;
}
