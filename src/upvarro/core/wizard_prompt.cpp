#include "upvarro/core/wizard_prompt.h"

#include "common/gbk.h"
#include "common/utf8.h"
#include "upvarro/core/platform/files.h"

namespace upvarro {

std::string promptQuestion(bool forceUpdate) {
    return forceUpdate ? kPromptForcedQuestion : kPromptQuestion;
}

PromptColour promptColour(bool forceUpdate) {
    return forceUpdate ? PromptColour{255, 0, 0} : PromptColour{0, 255, 0};
}

std::string loadChangelog(const std::string& temporaryFolder) {
    // One byte past the limit tells whether the limit cuts a double-byte character. Only a
    // regular file is read: a FIFO planted there is not waited on.
    platform::FileRead read =
        platform::readRegularFile(temporaryFolder + "/changelog.txt",
                                  static_cast<std::int64_t>(kChangelogShownBytes) + 1, true);
    if (!read.ok())
        return kNoChangelog;
    std::string& bytes = read.bytes;
    if (auto zero = bytes.find('\0'); zero != std::string::npos)
        bytes.resize(zero);
    // Makers on Linux write UTF-8; GBK text is almost never well-formed UTF-8 as well.
    const std::string_view utf8 = common::cutUtf8(common::withoutBom(bytes), kChangelogShownBytes);
    if (common::isUtf8(utf8))
        return std::string(utf8);
    return common::gbkToUtf8(common::cutGbk(bytes, kChangelogShownBytes));
}

}  // namespace upvarro
