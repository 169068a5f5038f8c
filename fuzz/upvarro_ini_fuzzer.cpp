// upvarro.ini is edited by hand.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/profile_file.h"
#include "upvarro/core/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    common::ProfileFile ini;
    ini.parse(text);
    ini.getInt("Server", "UpdatePort", 80);
    std::string date = ini.getString("UpdateType", "LastUpdateDate", "");
    upvarro::formatLastUpdateDate(upvarro::parseLastUpdateDate(date, 0));
    upvarro::parseLastUpdateDate(std::string(text), 1700000000);
    ini.setString("Version", "Title", text.substr(0, 64));
    ini.text();
    return 0;
}
