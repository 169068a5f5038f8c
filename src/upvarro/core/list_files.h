#pragma once
// localList.dat ("LST", 560-byte records) and faillist.dat ("FAL", 1144-byte records): a
// three-letter signature, an int32 record count, then the records.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "upvarro/core/update_entry.h"

namespace upvarro {

// No installation has more files than this; a list file longer than this many records is
// not one the updater wrote.
inline constexpr std::int64_t kListRecordLimit = 200000;

// A missing file, a short or wrong header leaves the list empty; a file shorter than its count
// keeps the whole records read and ignores the rest. A file that is not a regular file (never
// waited on, never followed when a link) or is larger than kListRecordLimit records also
// leaves the list empty; refusal, when given, then receives a line for the log.
std::vector<LocalRecord> readLocalList(const std::string& path, std::string* refusal = nullptr);
std::vector<UpdateEntry> readFailList(const std::string& path, std::string* refusal = nullptr);
// The same from bytes in memory.
std::vector<LocalRecord> parseLocalList(std::string_view bytes);
std::vector<UpdateEntry> parseFailList(std::string_view bytes);

// Header with count 0, the records, then the header again with the real count. Written to a
// new file beside it (mkstemp, flushed to disk) and renamed over it.
bool writeLocalList(const std::string& path, const std::vector<LocalRecord>& records);
bool writeFailList(const std::string& path, const std::vector<const UpdateEntry*>& entries);

}  // namespace upvarro
