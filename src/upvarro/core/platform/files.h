#pragma once
// File services the updater needs from the platform.

#include <cstdint>
#include <optional>
#include <string>

namespace upvarro::platform {

// Size of a regular file; nullopt when there is none.
std::optional<std::int64_t> fileSize(const std::string& path);
bool fileExists(const std::string& path);
bool removeFile(const std::string& path);

// Copies from over to, replacing it atomically: the bytes go to a file beside the target,
// are flushed to disk and renamed over it, so a crash leaves either the old file or the new
// one, never half of one. The target keeps its permission bits; a new target gets the
// executable bits when the copy is an ELF program or a "#!" script.
bool replaceFile(const std::string& from, const std::string& to);

}  // namespace upvarro::platform
