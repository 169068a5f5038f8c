// localList.dat and faillist.dat are files on disk that anything may have damaged. Reading
// keeps only whole records up to the header's count, and a record read and written reads
// back the same after the first write (which settles texts that are no GBK).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "upvarro/core/list_files.h"

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

bool same(const upvarro::LocalRecord& a, const upvarro::LocalRecord& b) {
    return a.name == b.name && a.checksum == b.checksum && a.tempPath == b.tempPath &&
           a.size == b.size;
}

bool same(const upvarro::UpdateEntry& a, const upvarro::UpdateEntry& b) {
    return upvarro::encodeEntry(a) == upvarro::encodeEntry(b);
}

// Records the header allows and the bytes hold.
std::size_t room(std::string_view bytes, std::size_t recordSize) {
    if (bytes.size() < 7)
        return 0;
    std::int32_t count = 0;
    std::memcpy(&count, bytes.data() + 3, sizeof count);
    const std::size_t whole = (bytes.size() - 7) / recordSize;
    return count < 0 ? 0 : std::min(whole, static_cast<std::size_t>(count));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto local = upvarro::parseLocalList(bytes);
    check(local.size() <= room(bytes, upvarro::kLocalRecordSize));
    check(local.empty() || bytes.substr(0, 3) == "LST");
    for (const auto& r : local) {
        const upvarro::LocalRecord once = upvarro::decodeLocal(upvarro::encodeLocal(r));
        check(same(upvarro::decodeLocal(upvarro::encodeLocal(once)), once));
    }
    const auto fail = upvarro::parseFailList(bytes);
    check(fail.size() <= room(bytes, upvarro::kEntryRecordSize));
    check(fail.empty() || bytes.substr(0, 3) == "FAL");
    for (const auto& e : fail) {
        const upvarro::UpdateEntry once = upvarro::decodeEntry(upvarro::encodeEntry(e));
        check(same(upvarro::decodeEntry(upvarro::encodeEntry(once)), once));
    }
    return 0;
}
