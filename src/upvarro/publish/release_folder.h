#pragma once
// Reads a release folder into list entries: every regular file below it (links to regular
// files followed), hashed with MD5 and SHA-256, with the action its rules give it.

#include <optional>
#include <string>
#include <vector>

#include "upvarro/publish/publish_rules.h"
#include "upvarro/publish/release_list.h"

namespace upvarro::publish {

// Files at the top of the release folder that are served beside the list, never in it.
inline constexpr const char* kListFileName = "soft_update.xml";
inline constexpr const char* kChangeLogFileName = "changelog.txt";
// Prefix of the temporary files the list is written through; a run that was killed may leave
// one behind.
inline constexpr const char* kTemporaryPrefix = ".soft_update.xml.";

struct ScanOptions {
    std::string folder;
    const PublishRules* rules = nullptr;  // none: every file is copied
    // Files never listed wherever they lie in the folder, under any path or link that leads to
    // them: the rules file, the outputs.
    std::vector<std::string> skipped;
    // The signing key: a folder that holds it is refused, since a served folder gives away
    // everything in it.
    std::string keyPath;
};

// Whether a release name is the updater's own state in an installation (its configuration,
// lists, log and lock under update/, the downloads under temp/, the leftovers of broken-off
// replacements): never published, it would overwrite what each installation keeps for itself.
bool isUpdaterState(const std::string& name);

// The entries in no particular order; nullopt with error naming the file and the reason when
// the folder holds anything the updater could not take or the tool cannot read, the signing
// key or any other private key, or a link that leads out of the folder.
std::optional<std::vector<ReleaseEntry>> scanRelease(const ScanOptions& options,
                                                     std::string& error);

}  // namespace upvarro::publish
