#pragma once
// The text of soft_update.xml for a release: settings in "system", one "file" element per
// entry, GBK on disk. Everything the updater would refuse or silently cut is refused here,
// with the reason, before anything is written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "upvarro/publish/publish_rules.h"

namespace upvarro::publish {

struct ReleaseEntry {
    std::string name;  // UTF-8, relative to the release folder, "/" between folders
    FileAction action = FileAction::Copy;
    std::int64_t size = 0;  // 0 for a delete entry
    std::string md5;        // lower-case hex
    std::string sha256;     // lower-case hex
};

struct ListSettings {
    std::string downUrl;  // folder URL of the files, as checkedDownUrl returns it
    std::string version;
    std::string title;  // empty: the list gives no Title
    bool force = false;
    std::int64_t publishTime = 0;  // seconds since 1970
    std::string changelogSha256;   // of the release's changelog.txt; empty: it has none
};

// Why the updater could not take name as a list entry's name; empty when it can.
std::string nameRefusal(std::string_view name);

// The --url value as DownUrl: without trailing "/" (each file is fetched from DownUrl + "/" +
// name). Nullopt with error set when it is not an http or https address or longer than the
// updater keeps.
std::optional<std::string> checkedDownUrl(std::string_view url, std::string& error);

// Puts the restart entry first (the updater restarts the first entry of the list) and the
// others in byte order of their names, so the same folder always gives the same list. More
// than one restart entry is refused.
bool orderEntries(std::vector<ReleaseEntry>& entries, std::string& error);

// The GBK bytes of the list for entries in the order given; nullopt with error set when a
// text cannot be written faithfully.
std::optional<std::string> listText(const ListSettings& settings,
                                    const std::vector<ReleaseEntry>& entries, std::string& error);

}  // namespace upvarro::publish
