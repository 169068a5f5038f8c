#pragma once
// One file of the update list, and the two record layouts the list files store: the 1144-byte
// update entry (also the record of faillist.dat) and the 560-byte local list record.

#include <array>
#include <atomic>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

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

inline constexpr std::size_t kEntryRecordSize = 1144;
inline constexpr std::size_t kLocalRecordSize = 560;

struct LocalRecord {
    std::string name;
    std::string checksum;
    std::string tempPath;
    std::int32_t size = 0;
};

// How the list writes a field and how its record keeps it.
enum class FieldCoding {
    GbkText,  // GBK, cut on a character boundary; zero-terminated and zero-padded in a record
    HexText,  // hexadecimal digits, letter case ignored
    Decimal,  // the list's decimal text; a little-endian int32 in a record
    Int32,    // only in records: a little-endian int32
};

// One field of an update entry, described once: the list parser, the record codec and
// upvarro-publish all take its attribute, limit and place from here.
struct EntryField {
    const char* attribute;  // in soft_update.xml; nullptr for fields only records keep
    bool required;          // a file element without it is refused
    FieldCoding coding;
    std::size_t limit;   // longest text kept: bytes of GBK or hex digits
    std::size_t offset;  // in the 1144-byte record
    std::size_t size;    // 0: not stored in the record
    std::string UpdateEntry::*text;
    std::atomic<std::int32_t> UpdateEntry::*number;
};

// clang-format off
inline constexpr EntryField kEntryFields[] = {
    {"name",     true,  FieldCoding::GbkText, 128, 0,    129, &UpdateEntry::name,          nullptr},
    {"checksum", true,  FieldCoding::HexText, 32,  260,  33,  &UpdateEntry::checksum,      nullptr},
    {"DownUrl",  true,  FieldCoding::GbkText, 127, 293,  128, &UpdateEntry::downUrl,       nullptr},
    {"size",     true,  FieldCoding::Decimal, 0,   1084, 4,   nullptr, &UpdateEntry::listSize},
    {"sha256",   false, FieldCoding::HexText, 64,  0,    0,   &UpdateEntry::sha256,        nullptr},
    {nullptr,    false, FieldCoding::GbkText, 259, 553,  260, &UpdateEntry::tempPath,      nullptr},
    {nullptr,    false, FieldCoding::GbkText, 259, 813,  260, &UpdateEntry::localPath,     nullptr},
    {nullptr,    false, FieldCoding::Int32,   0,   1076, 4,   nullptr, &UpdateEntry::sizeAtStart},
    {nullptr,    false, FieldCoding::Int32,   0,   1080, 4,   nullptr, &UpdateEntry::downloaded},
    {nullptr,    false, FieldCoding::Int32,   0,   1088, 4,   nullptr, &UpdateEntry::actionFlags},
    {nullptr,    false, FieldCoding::Int32,   0,   1092, 4,   nullptr, &UpdateEntry::resultFlags},
    {nullptr,    false, FieldCoding::Int32,   0,   1096, 4,   nullptr, &UpdateEntry::speed},
    {nullptr,    false, FieldCoding::Int32,   0,   1100, 4,   nullptr, &UpdateEntry::earlierSeconds},
    {nullptr,    false, FieldCoding::GbkText, 11,  1104, 12,  &UpdateEntry::elapsedText,   nullptr},
    {nullptr,    false, FieldCoding::GbkText, 11,  1116, 12,  &UpdateEntry::remainingText, nullptr},
    {nullptr,    false, FieldCoding::Int32,   0,   1128, 4,   nullptr, &UpdateEntry::state},
    {nullptr,    false, FieldCoding::Int32,   0,   1132, 4,   nullptr, &UpdateEntry::attempts},
    {nullptr,    false, FieldCoding::Int32,   0,   1136, 4,   nullptr, &UpdateEntry::allowed},
    {nullptr,    false, FieldCoding::Int32,   0,   1140, 4,   nullptr, &UpdateEntry::workerIndex},
};
// clang-format on

// The same for the 560-byte local list record.
struct LocalField {
    std::size_t offset;
    std::size_t size;
    std::string LocalRecord::*text;
    std::int32_t LocalRecord::*number;
};
inline constexpr LocalField kLocalFields[] = {
    {0, 260, &LocalRecord::name, nullptr},
    {260, 33, &LocalRecord::checksum, nullptr},
    {293, 263, &LocalRecord::tempPath, nullptr},
    {556, 4, nullptr, &LocalRecord::size},
};

// The field a list attribute fills; an unknown attribute does not compile.
consteval const EntryField& entryField(std::string_view attribute) {
    std::size_t i = 0;
    while (i < std::size(kEntryFields) &&
           !(kEntryFields[i].attribute && attribute == kEntryFields[i].attribute))
        ++i;
    return kEntryFields[i];
}

consteval bool textsFitTheirFields() {
    for (const EntryField& f : kEntryFields)
        if (f.text && f.size > 0 && f.limit + 1 != f.size)
            return false;
    return true;
}
static_assert(textsFitTheirFields(), "a stored text keeps one byte less than its field");

// Kept lengths of the list's attributes.
inline constexpr std::size_t kNameLimit = entryField("name").limit;
inline constexpr std::size_t kChecksumLimit = entryField("checksum").limit;
inline constexpr std::size_t kSha256Size = entryField("sha256").limit;
inline constexpr std::size_t kUrlLimit = entryField("DownUrl").limit;

// Texts go out as GBK, cut to their fields on character boundaries.
using EntryRecord = std::array<unsigned char, kEntryRecordSize>;
using LocalRecordBytes = std::array<unsigned char, kLocalRecordSize>;
EntryRecord encodeEntry(const UpdateEntry& entry);
UpdateEntry decodeEntry(const EntryRecord& bytes);
LocalRecordBytes encodeLocal(const LocalRecord& record);
LocalRecord decodeLocal(const LocalRecordBytes& bytes);

}  // namespace upvarro
