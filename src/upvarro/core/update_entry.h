#pragma once
// One file of the update list, and the two record layouts the list files store: the 1144-byte
// update entry (also the record of faillist.dat) and the 560-byte local list record.

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "upvarro/core/platform/files.h"

namespace upvarro {

// Action flags.
inline constexpr std::int32_t kActionDownload = 1;
inline constexpr std::int32_t kActionCopy = 2;
inline constexpr std::int32_t kActionDelete = 4;
inline constexpr std::int32_t kActionRegister = 8;
inline constexpr std::int32_t kActionRestart = 16;
inline constexpr std::int32_t kActionRun = 32;
inline constexpr std::int32_t kActionLocked = 64;
inline constexpr std::int32_t kActionExecutable = 128;

// Result flags.
inline constexpr std::int32_t kResultDownloadFailed = 1;
inline constexpr std::int32_t kResultCopyFailed = 4;

// How a name goes on the wire: the GBK bytes servers of older lists keep their files under,
// or percent-encoded UTF-8 for lists that say their server has UTF-8 names.
enum class NameSpelling { Gbk, Utf8 };

enum DownloadState : std::int32_t {
    kStateWaiting = 0,
    kStateDownloading = 1,
    kStatePaused = 2,
    kStateDownloaded = 3,
    kStateFailed = 4,
    kStateNotDownloaded = 5,
};

inline constexpr std::size_t kEntryRecordSize = 1144;
inline constexpr std::size_t kLocalRecordSize = 560;

// Kept lengths of the list's attributes, in GBK bytes.
inline constexpr std::size_t kNameLimit = 128;
inline constexpr std::size_t kChecksumLimit = 32;
inline constexpr std::size_t kSha256Size = 64;
inline constexpr std::size_t kUrlLimit = 127;

// The numbers are atomic because the download, statistics and scheduler threads and the
// owner's drawing read them while one of them writes; the texts are guarded by the
// session's lock.
struct UpdateEntry {
    std::string name;      // relative to the installation folder, "/" between folders
    std::string checksum;  // 32 lower-case hex digits
    // 64 hex digits when the list gives a SHA-256 as well; not stored in the list files.
    std::string sha256;
    std::string downUrl;  // folder URL on the server
    // How the server spells the name in the file's address (the list says); not stored in
    // the list files.
    NameSpelling spelling = NameSpelling::Gbk;
    std::string tempPath;   // temporary folder + "/" + name
    std::string localPath;  // installation folder + "/" + name
    std::atomic<std::int32_t> sizeAtStart{0};
    std::atomic<std::int32_t> downloaded{0};
    std::atomic<std::int32_t> listSize{0};
    std::atomic<std::int32_t> actionFlags{0};
    std::atomic<std::int32_t> resultFlags{0};
    std::atomic<std::int32_t> speed{0};
    std::atomic<std::int32_t> earlierSeconds{0};
    std::string elapsedText;
    std::string remainingText;
    std::atomic<std::int32_t> state{kStateWaiting};
    std::atomic<std::int32_t> attempts{0};
    std::atomic<std::int32_t> allowed{0};
    std::atomic<std::int32_t> workerIndex{0};
    // Not stored: the temporary file as it was when its download was checked against the
    // checksum (set by the download thread, read by the install step after it).
    platform::FileStamp verifiedStamp;

    UpdateEntry() = default;
    UpdateEntry(const UpdateEntry& other) { *this = other; }
    UpdateEntry& operator=(const UpdateEntry& other);

    bool has(std::int32_t flag) const { return (actionFlags.load() & flag) != 0; }
};

// Checksums are hex digits; a list written with upper-case digits names the same files.
bool sameChecksum(const std::string& a, const std::string& b);

using EntryRecord = std::array<unsigned char, kEntryRecordSize>;
using LocalRecordBytes = std::array<unsigned char, kLocalRecordSize>;

// Texts go out as GBK, cut to their fields on character boundaries.
EntryRecord encodeEntry(const UpdateEntry& entry);
UpdateEntry decodeEntry(const EntryRecord& bytes);

struct LocalRecord {
    std::string name;
    std::string checksum;
    std::string tempPath;
    std::int32_t size = 0;
};

LocalRecordBytes encodeLocal(const LocalRecord& record);
LocalRecord decodeLocal(const LocalRecordBytes& bytes);

}  // namespace upvarro
