#pragma once
// The wizard's pictures that the configuration and the update list name: files inside the
// installation folder, read as warily as anything else from outside.

#include <cstdint>
#include <optional>
#include <string>

namespace upvarro {

// No watermark or banner is larger; a larger file is not read.
inline constexpr std::int64_t kPictureFileLimit = 8 * 1024 * 1024;

// The bytes of the picture at relative ("/" or "\" between folders) inside installation.
// Nullopt, and refusal (when given) a line for the log, when the name is absolute, climbs
// with "..", leads out through a linked folder, or names something other than a regular file
// of at most kPictureFileLimit bytes (a link at its last component is not followed, a FIFO
// or device never waited on).
std::optional<std::string> readInstallationPicture(const std::string& installation,
                                                   const std::string& relative,
                                                   std::string* refusal = nullptr);

}  // namespace upvarro
