#include "upvarro/core/update_entry.h"

#include <cstring>

#include "common/gbk.h"
#include "common/hex_digest.h"

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
    auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<unsigned char>(u >> (8 * i));
}

std::int32_t getInt(const unsigned char* record, std::size_t offset) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(record[offset + i]) << (8 * i);
    return static_cast<std::int32_t>(u);
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
    unsigned char* p = r.data();
    putText(p, 0, 129, e.name);
    putText(p, 260, 33, e.checksum);
    putText(p, 293, 128, e.downUrl);
    putText(p, 553, 260, e.tempPath);
    putText(p, 813, 260, e.localPath);
    putInt(p, 1076, e.sizeAtStart);
    putInt(p, 1080, e.downloaded);
    putInt(p, 1084, e.listSize);
    putInt(p, 1088, e.actionFlags);
    putInt(p, 1092, e.resultFlags);
    putInt(p, 1096, e.speed);
    putInt(p, 1100, e.earlierSeconds);
    putText(p, 1104, 12, e.elapsedText);
    putText(p, 1116, 12, e.remainingText);
    putInt(p, 1128, e.state);
    putInt(p, 1132, e.attempts);
    putInt(p, 1136, e.allowed);
    putInt(p, 1140, e.workerIndex);
    return r;
}

UpdateEntry decodeEntry(const EntryRecord& r) {
    const unsigned char* p = r.data();
    UpdateEntry e;
    e.name = getText(p, 0, 129);
    e.checksum = getText(p, 260, 33);
    e.downUrl = getText(p, 293, 128);
    e.tempPath = getText(p, 553, 260);
    e.localPath = getText(p, 813, 260);
    e.sizeAtStart = getInt(p, 1076);
    e.downloaded = getInt(p, 1080);
    e.listSize = getInt(p, 1084);
    e.actionFlags = getInt(p, 1088);
    e.resultFlags = getInt(p, 1092);
    e.speed = getInt(p, 1096);
    e.earlierSeconds = getInt(p, 1100);
    e.elapsedText = getText(p, 1104, 12);
    e.remainingText = getText(p, 1116, 12);
    e.state = getInt(p, 1128);
    e.attempts = getInt(p, 1132);
    e.allowed = getInt(p, 1136);
    e.workerIndex = getInt(p, 1140);
    return e;
}

LocalRecordBytes encodeLocal(const LocalRecord& l) {
    LocalRecordBytes r{};
    unsigned char* p = r.data();
    putText(p, 0, 260, l.name);
    putText(p, 260, 33, l.checksum);
    putText(p, 293, 263, l.tempPath);
    putInt(p, 556, l.size);
    return r;
}

LocalRecord decodeLocal(const LocalRecordBytes& r) {
    const unsigned char* p = r.data();
    LocalRecord l;
    l.name = getText(p, 0, 260);
    l.checksum = getText(p, 260, 33);
    l.tempPath = getText(p, 293, 263);
    l.size = getInt(p, 556);
    return l;
}

}  // namespace upvarro
