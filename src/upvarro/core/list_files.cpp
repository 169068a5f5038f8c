#include "upvarro/core/list_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/little_endian.h"
#include "upvarro/core/platform/files.h"

namespace upvarro {
namespace {

constexpr std::size_t kHeaderSize = 7;

std::string readListFile(const std::string& path, std::size_t recordSize, std::string* refusal) {
    const std::int64_t limit =
        static_cast<std::int64_t>(kHeaderSize + recordSize * kListRecordLimit);
    platform::FileRead read = platform::readRegularFile(path, limit);
    if (!read.ok() && read.status != platform::ReadStatus::Missing && refusal)
        *refusal = platform::readRefusal(path, read);
    return std::move(read.bytes);
}

// Records of the given size after an accepted header; empty when the header is refused.
template <std::size_t Size, typename Decode>
auto parseRecords(std::string_view bytes, const char* signature, Decode decode) {
    std::vector<decltype(decode(std::array<unsigned char, Size>{}))> out;
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), signature, 3) != 0)
        return out;
    auto count = static_cast<std::int32_t>(
        common::readLe32(reinterpret_cast<const unsigned char*>(bytes.data()) + 3));
    std::size_t pos = kHeaderSize;
    for (std::int32_t i = 0; i < count && pos + Size <= bytes.size(); ++i, pos += Size) {
        std::array<unsigned char, Size> record;
        std::memcpy(record.data(), bytes.data() + pos, Size);
        out.push_back(decode(record));
    }
    return out;
}

void putHeader(unsigned char* header, const char* signature, std::uint32_t count) {
    std::memcpy(header, signature, 3);
    common::writeLe32(header + 3, count);
}

// Made whole in memory, so the header carries its real count at once; the bytes reach the
// disk through a new file renamed over the old one.
template <typename Records>
bool writeRecords(const std::string& path, const char* signature, const Records& records) {
    std::string bytes(kHeaderSize, '\0');
    std::uint32_t written = 0;
    for (const auto& record : records) {
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
        ++written;
    }
    putHeader(reinterpret_cast<unsigned char*>(bytes.data()), signature, written);
    return platform::writeFileAtomically(path, bytes);
}

}  // namespace

std::vector<LocalRecord> parseLocalList(std::string_view bytes) {
    return parseRecords<kLocalRecordSize>(bytes, "LST", decodeLocal);
}

std::vector<UpdateEntry> parseFailList(std::string_view bytes) {
    return parseRecords<kEntryRecordSize>(bytes, "FAL", decodeEntry);
}

std::vector<LocalRecord> readLocalList(const std::string& path, std::string* refusal) {
    return parseLocalList(readListFile(path, kLocalRecordSize, refusal));
}

std::vector<UpdateEntry> readFailList(const std::string& path, std::string* refusal) {
    return parseFailList(readListFile(path, kEntryRecordSize, refusal));
}

bool writeLocalList(const std::string& path, const std::vector<LocalRecord>& records) {
    std::vector<LocalRecordBytes> bytes;
    bytes.reserve(records.size());
    for (const LocalRecord& r : records)
        bytes.push_back(encodeLocal(r));
    return writeRecords(path, "LST", bytes);
}

bool writeFailList(const std::string& path, const std::vector<const UpdateEntry*>& entries) {
    std::vector<EntryRecord> bytes;
    bytes.reserve(entries.size());
    for (const UpdateEntry* e : entries)
        bytes.push_back(encodeEntry(*e));
    return writeRecords(path, "FAL", bytes);
}

}  // namespace upvarro
