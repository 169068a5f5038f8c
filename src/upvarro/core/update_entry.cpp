#include "upvarro/core/update_entry.h"

#include <cstring>

#include "common/gbk.h"
#include "common/hex_digest.h"
#include "common/little_endian.h"

namespace upvarro {
namespace {

void putText(unsigned char* record, std::size_t offset, std::size_t size, const std::string& utf8) {
    common::copyToField(reinterpret_cast<char*>(record + offset), size, common::utf8ToGbk(utf8));
}

std::string getText(const unsigned char* record, std::size_t offset, std::size_t size) {
    return common::gbkToUtf8(
        common::readField(reinterpret_cast<const char*>(record + offset), size));
}

void putInt(unsigned char* record, std::size_t offset, std::int32_t value) {
    common::writeLe32(record + offset, static_cast<std::uint32_t>(value));
}

std::int32_t getInt(const unsigned char* record, std::size_t offset) {
    return static_cast<std::int32_t>(common::readLe32(record + offset));
}

}  // namespace

bool sameChecksum(const std::string& a, const std::string& b) {
    return common::sameHexDigest(a, b);
}

UpdateEntry& UpdateEntry::operator=(const UpdateEntry& o) {
    if (this == &o)
        return *this;
    name = o.name;
    checksum = o.checksum;
    sha256 = o.sha256;
    downUrl = o.downUrl;
    spelling = o.spelling;
    tempPath = o.tempPath;
    localPath = o.localPath;
    sizeAtStart = o.sizeAtStart.load();
    downloaded = o.downloaded.load();
    listSize = o.listSize.load();
    actionFlags = o.actionFlags.load();
    resultFlags = o.resultFlags.load();
    speed = o.speed.load();
    earlierSeconds = o.earlierSeconds.load();
    elapsedText = o.elapsedText;
    remainingText = o.remainingText;
    state = o.state.load();
    attempts = o.attempts.load();
    allowed = o.allowed.load();
    workerIndex = o.workerIndex.load();
    verifiedStamp = o.verifiedStamp;
    return *this;
}

EntryRecord encodeEntry(const UpdateEntry& e) {
    EntryRecord r{};
    for (const EntryField& f : kEntryFields) {
        if (f.size == 0)
            continue;
        if (f.text)
            putText(r.data(), f.offset, f.size, e.*f.text);
        else
            putInt(r.data(), f.offset, (e.*f.number).load());
    }
    return r;
}

UpdateEntry decodeEntry(const EntryRecord& r) {
    UpdateEntry e;
    for (const EntryField& f : kEntryFields) {
        if (f.size == 0)
            continue;
        if (f.text)
            e.*f.text = getText(r.data(), f.offset, f.size);
        else
            e.*f.number = getInt(r.data(), f.offset);
    }
    return e;
}

LocalRecordBytes encodeLocal(const LocalRecord& l) {
    LocalRecordBytes r{};
    for (const LocalField& f : kLocalFields) {
        if (f.text)
            putText(r.data(), f.offset, f.size, l.*f.text);
        else
            putInt(r.data(), f.offset, l.*f.number);
    }
    return r;
}

LocalRecord decodeLocal(const LocalRecordBytes& r) {
    LocalRecord l;
    for (const LocalField& f : kLocalFields) {
        if (f.text)
            l.*f.text = getText(r.data(), f.offset, f.size);
        else
            l.*f.number = getInt(r.data(), f.offset);
    }
    return l;
}

}  // namespace upvarro
