#pragma once
// File services the updater needs from the platform.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace upvarro::platform {

// Size of a regular file; nullopt when there is none.
std::optional<std::int64_t> fileSize(const std::string& path);
bool fileExists(const std::string& path);
bool removeFile(const std::string& path);

// The MD5 text of a regular file (a link to one is followed unless followLink is false).
// Anything else (a FIFO, a device, a folder) gives nullopt without being read, so it can
// neither block nor be drained.
std::optional<std::string> md5OfRegularFile(const std::string& path, bool followLink = true);

// Whether the file at path is a program: a regular file that is an ELF executable or has an
// execute bit. Where Windows tells programs by ".exe", this is how they are told here.
bool isProgramFile(const std::string& path);

// Copies from over to, replacing it atomically: the bytes go to a file beside the target,
// are flushed to disk and renamed over it, so a crash leaves either the old file or the new
// one, never half of one. The target keeps its permission bits (masked to 0777); a new
// target gets the executable bits when the copy is an ELF program or a "#!" script.
bool replaceFile(const std::string& from, const std::string& to);

// Which file a path names and when it last changed: the same stamp later means the same bytes
// (the change time cannot be set back by any program).
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool valid() const { return size >= 0; }
    bool operator==(const FileStamp&) const = default;
};
// The stamp of an open file; an invalid stamp when it cannot be read.
FileStamp stampOf(int fd);

enum class InstallResult { Installed, WrongChecksum, Failed };

// What the bytes being installed must hash to; an empty text checks nothing.
struct ExpectedSums {
    std::string md5;
    std::string sha256;
};
// The SHA-256 text of a regular file; nullopt when it cannot be read.
std::optional<std::string> sha256OfRegularFile(const std::string& path, bool followLink = true);

// Puts the downloaded file from in place of to, as replaceFile does, after checking that the
// bytes being installed have the MD5 checksum (letter case ignored; an empty checksum checks
// nothing). When both lie on one file system the file is renamed into place (its bytes are
// read once to check them, never written again) and from is gone afterwards; otherwise it is
// copied and from stays. A wrong checksum installs nothing.
InstallResult installFile(const std::string& from, const std::string& to,
                          const std::string& checksum);
// The same for a download whose sums were taken from its bytes as they were written: when
// from still has that stamp, the rename needs no second read of it.
InstallResult installFile(const std::string& from, const std::string& to,
                          const ExpectedSums& expected, const FileStamp& verified);

// A folder opened once. Paths below it are walked from it one folder at a time, never through
// a link and never up with "..", so a link swapped into the installation during an update
// cannot lead a write or a removal outside it.
class FolderHandle {
  public:
    // Whether the path's last component may be a link (the installation may be reached
    // through one; a folder inside it may not).
    enum class LastLink { Follow, Refuse };

    FolderHandle() = default;
    explicit FolderHandle(const std::string& path, LastLink last = LastLink::Follow);
    ~FolderHandle();
    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    bool valid() const { return fd_ >= 0; }
    // A new descriptor of the folder holding relative's last component ("/" between folders),
    // made as plain folders on the way when make is set; -1 when a folder on the way is a link,
    // is not a folder or cannot be made. The caller closes it.
    int openParent(const std::string& relative, bool make) const;

  private:
    int fd_ = -1;
};

// installFile for relative below from (the temporary folder) into relative below to (the
// installation), every folder on both ways walked as FolderHandle does.
InstallResult installFileAt(const FolderHandle& from, const FolderHandle& to,
                            const std::string& relative, const ExpectedSums& expected,
                            const FileStamp& verified);
// Removes the file or link relative below folder; never a file outside it.
bool removeFileAt(const FolderHandle& folder, const std::string& relative);
// Opens the regular file relative below folder for reading (no link followed on the way nor
// at the end); -1 otherwise. The caller closes it.
int openRegularFileAt(const FolderHandle& folder, const std::string& relative);
// The size of the regular file relative below folder (no link followed on the way nor at the
// end); nullopt when there is none.
std::optional<std::int64_t> fileSizeAt(const FolderHandle& folder, const std::string& relative);

// A download's file, opened for writing relative below the temporary folder.
struct DownloadTarget {
    int fd = -1;  // the caller closes it; -1 when no regular file could be made
    // Something other than a regular file or a folder (a FIFO, a device, a link) was found
    // at the name and removed: only the name, never what it leads to.
    bool removedPlanted = false;
};
// Creates relative below folder, or empties the regular file there, with mode 0600: folders on
// the way are made as plain folders and never passed through a link; a link at the end is
// never followed and a FIFO or device never waited on.
DownloadTarget openDownloadTarget(const FolderHandle& folder, const std::string& relative);
// The MD5 (or SHA-256) text of the bytes of an open file, read from its start.
std::optional<std::string> digestOfOpenFile(int fd, bool sha256);

// Writes bytes to path through a new file beside it (made with mkstemp, flushed to disk) that
// is renamed over it; the old file keeps its permission bits, a new one gets 0644.
bool writeFileAtomically(const std::string& path, std::string_view bytes);
enum class ReadStatus {
    Read,
    Missing,
    NotRegular,  // a FIFO, a device, a folder or a link: never waited on, never followed
    TooLarge,
    Failed,
};
struct FileRead {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    bool ok() const { return status == ReadStatus::Read; }
};
// Reads the regular file at path: a link at its last component is not followed and a FIFO or
// device is never waited on. A file of more than limit bytes is TooLarge, or with cut, its
// first limit bytes are read.
FileRead readRegularFile(const std::string& path, std::int64_t limit, bool cut = false);
// The same for the file relative below folder, with no link followed on the way either.
FileRead readRegularFileAt(const FolderHandle& folder, const std::string& relative,
                           std::int64_t limit);
// Why a read failed, for the log: "<path> 不是普通文件" and the like; empty for Read.
std::string readRefusal(const std::string& path, const FileRead& read);

// The bytes of a regular file of at most limit bytes (a link at its last component is not
// followed); nullopt otherwise.
std::optional<std::string> readWholeFile(const std::string& path, std::int64_t limit);

// True when folder + "/" + relative names something inside folder: no folder on the way that
// exists is a link leading out of it. Parts that do not exist yet are made by the updater as
// plain folders, so they are fine.
bool staysInside(const std::string& folder, const std::string& relative);

// Removes the files and links below folder whose names end in suffix: the leftovers of
// replacements a crash broke off. Links to folders are not followed. Returns how many.
int removeLeftovers(const std::string& folder, const std::string& suffix);

// Bytes an unprivileged program may still write on the file system that holds path (or, when
// path does not exist yet, its nearest existing folder); nullopt when that cannot be told.
std::optional<std::int64_t> freeBytes(const std::string& path);
// Whether the two paths (or their nearest existing folders) lie on one file system.
bool sameFileSystem(const std::string& a, const std::string& b);

// Suffix of the file a replacement writes beside its target.
inline constexpr const char* kReplacementSuffix = ".upvarro-new";

}  // namespace upvarro::platform
