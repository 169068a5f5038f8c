#include "upvarro/core/wizard_prompt.h"

#include <fstream>

#include "common/gbk.h"
#include "common/utf8.h"

namespace upvarro {

std::string promptQuestion(bool forceUpdate) {
    return forceUpdate ? kPromptForcedQuestion : kPromptQuestion;
}

PromptColour promptColour(bool forceUpdate) {
    return forceUpdate ? PromptColour{255, 0, 0} : PromptColour{0, 255, 0};
}

std::string loadChangelog(const std::string& temporaryFolder) {
    std::ifstream in(temporaryFolder + "/changelog.txt", std::ios::binary);
    if (!in)
        return kNoChangelog;
    // One byte past the limit tells whether the limit cuts a double-byte character.
    std::string bytes(kChangelogShownBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (auto zero = bytes.find('\0'); zero != std::string::npos)
        bytes.resize(zero);
    // Makers on Linux write UTF-8; GBK text is almost never well-formed UTF-8 as well.
    const std::string_view utf8 = common::cutUtf8(common::withoutBom(bytes), kChangelogShownBytes);
    if (common::isUtf8(utf8))
        return std::string(utf8);
    return common::gbkToUtf8(common::cutGbk(bytes, kChangelogShownBytes));
}

}  // namespace upvarro
