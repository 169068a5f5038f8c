#pragma once
// soft_update.xml: a "system" element of settings and a "files" element whose first child
// must be "file"; it and every element after it describe one file each. 8-bit GBK text.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "upvarro/core/folders.h"
#include "upvarro/core/settings.h"
#include "upvarro/core/update_entry.h"

namespace upvarro {

inline constexpr const char* kTitleSuffix = "v1.0.005";
// The attribute of the system element that dates a list, and the SHA-256 attribute of a file.
inline constexpr const char* kPublishTimeAttribute = "PublishTime";
inline constexpr const char* kSha256Attribute = entryField("sha256").attribute;
// The wizard's title is "%s %s" of the list's Title and kTitleSuffix, cut to this many bytes.
inline constexpr std::size_t kShownTitleLimit = 63;
// Picture paths as the list gives them.
inline constexpr std::size_t kListPictureLimit = 259;
// The SHA-256 of changelog.txt, an attribute of the system element of a signed list.
inline constexpr const char* kChangelogSha256Attribute = "ChangelogSha256";
// How the list's server spells file names in addresses, an attribute of the system element:
// kUtf8Names for percent-encoded UTF-8 (what upvarro-publish writes); absent, names go as GBK.
inline constexpr const char* kNameEncodingAttribute = "NameEncoding";
inline constexpr const char* kUtf8Names = "UTF-8";

struct UpdateList {
    std::vector<std::unique_ptr<UpdateEntry>> entries;  // in document order
    bool restart = false;                               // an entry asked for a restart
    // The system element's PublishTime: seconds since 1970, 0 when the list gives none, -1
    // when it is not a number of seconds (only a build that checks signatures minds).
    std::int64_t publishTime = 0;
    // The system element's ChangelogSha256, as given (empty: none).
    std::string changelogSha256;
    NameSpelling spelling = NameSpelling::Gbk;
};

// A list name is network input: it must stay inside the installation folder. Refused are
// empty names, absolute names, drive letters, control characters and any ".." segment that
// climbs.
bool isSafeRelativeName(const std::string& name);

// Parses the document. Settings found are applied to settings. Nullopt when the document
// cannot be read, names a NameEncoding other than UTF-8 or GBK, has no file element, a file element
// lacks name, checksum, DownUrl or size, a sha256 attribute is not 64 hex digits, a name is not a
// safe relative path or leads out of the installation or temporary folder through a linked folder,
// or a DownUrl is not an http or https address. For the refusals of names and addresses, refusal
// (when given) receives a line for the log. Copies what a list's system element sets (Version,
// Title, ForceUpdate, UpdateMaxSpin and the two pictures) from settings parsed with the list to the
// settings held.
void copyListSettings(const Settings& parsed, Settings& held);

// A list whose signature was checked is read strictly: every file element must give its
// sha256, and a text longer than its field keeps refuses the list instead of being cut.
enum class ListTrust { Unsigned, Signed };

std::optional<UpdateList> parseUpdateList(std::string_view document, const Folders& folders,
                                          Settings& settings, std::string* refusal = nullptr,
                                          ListTrust trust = ListTrust::Unsigned);

}  // namespace upvarro
