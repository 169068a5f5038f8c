#pragma once
// Files written whole or not at all: the new contents go into a file of our own beside the
// target, reach the disk, and only then take the target's name.

#include <string>
#include <string_view>

namespace common {

enum class AtomicWrite {
    Done,
    CreateFailed,  // no file could be made beside the target (missing or closed folder)
    WriteFailed    // writing, flushing or renaming failed (a full disk, a size limit)
};

// Replaces the file at path with contents. The temporary file is created exclusively in the
// target's folder (never a name planted there, never through a link), takes the old file's
// permission bits (or those a new file gets under the umask), is flushed with fsync and
// renamed over the target. On any failure the old file stays as it was and the temporary
// file is removed. A symbolic link at path is replaced, not followed; a folder, device or
// pipe there is left alone (WriteFailed).
AtomicWrite writeFileAtomically(const std::string& path, std::string_view contents);

}  // namespace common
