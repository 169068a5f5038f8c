#pragma once
// Small file operations several parts share: writing a buffer whole, and telling whether a
// file read earlier is still the same file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// Writes every byte to fd, going on after interrupted and short writes; false on any other
// failure.
bool writeAll(int fd, std::string_view bytes);

// One state of a regular file: another modification time, size or file under the name is
// another state.
struct FileStamp {
    std::int64_t mtimeNs = 0;
    std::int64_t size = -1;
    std::uint64_t inode = 0;
    std::uint64_t device = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at path; nullopt when there is none (missing, a folder, a
// device, a pipe).
std::optional<FileStamp> regularFileStamp(const std::string& path);

}  // namespace common
