// Any bytes as the guide file: every look-up ends with valid UTF-8 that fits the room, with
// no "||" left, finds what the profile functions find, and never crashes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/gbk.h"
#include "common/profile_file.h"
#include "kalvix/core/guides/guide_file.h"
#include "kalvix/core/guides/guide_text_page.h"

namespace {

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t len = c < 0x80         ? 1
                                : (c >> 5) == 6  ? 2
                                : (c >> 4) == 14 ? 3
                                : (c >> 3) == 30 ? 4
                                                 : 0;
        if (len == 0 || i + len > s.size())
            return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += len;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = kalvix::guideFileText(bytes);
    const kalvix::GuideFile::Index index(utf8);
    common::ProfileFile profile;
    profile.parse(utf8);
    for (auto kind : {kalvix::GuideTextPage::Story, kalvix::GuideTextPage::Dungeon}) {
        const char* section = kalvix::GuideTextPage::section(kind);
        for (const std::string& key : kalvix::GuideTextPage::entries(kind)) {
            const auto found = index.value(section, key);
            const auto expected = profile.value(section, key);
            if (found.has_value() != expected.has_value() || (found && *found != *expected))
                std::abort();
            const std::string text = kalvix::GuideFile::guideIn(bytes, section, key);
            if (text.find("||") != std::string::npos)
                std::abort();
            if (!validUtf8(text))
                std::abort();
            if (common::gbkLength(text) >= kalvix::GuideFile::kValueRoom)
                std::abort();
        }
    }
    return 0;
}
