#pragma once
// The update prompt's texts and its change log.

#include <cstddef>
#include <string>

namespace upvarro {

inline constexpr const char* kPromptTitle = "升级提示";
inline constexpr const char* kPromptQuestion = "发现新版本，是否要升级？";
inline constexpr const char* kPromptForcedQuestion = "重要bug修改，请升级到最新版本!";
inline constexpr const char* kNoChangelog = "暂时没有版本修改信息！";
inline constexpr const char* kUpdateNowText = "立即升级";
inline constexpr const char* kUpdateLaterText = "以后再说";
inline constexpr int kPromptLoadDelayMs = 100;
inline constexpr std::size_t kChangelogShownBytes = 4095;

struct PromptColour {
    int red, green, blue;
};

std::string promptQuestion(bool forceUpdate);
// Red for a forced update, green otherwise.
PromptColour promptColour(bool forceUpdate);

// "<temporary folder>/changelog.txt": at most 4095 bytes of GBK text, as UTF-8; a double-byte
// character cut by the limit is dropped and undecodable bytes show as replacement characters,
// so a file of any size or encoding gives a valid text. A file that is well-formed UTF-8 (a
// byte order mark left out) is shown as UTF-8, cut between characters. The text ends at a zero
// byte, as the text field it is loaded into did. kNoChangelog when the file cannot be opened or is
// not a regular file.
std::string loadChangelog(const std::string& temporaryFolder);

}  // namespace upvarro
