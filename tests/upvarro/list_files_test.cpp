#include "upvarro/core/list_files.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/gbk.h"
#include "test_support.h"

namespace upvarro {
namespace {

std::int32_t intAt(const unsigned char* p, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, p + offset, 4);
    return v;
}

TEST(Records, UpdateEntryIsByteExact) {
    UpdateEntry e;
    e.name = "攻略/副本.txt";
    e.checksum = "0123456789abcdef0123456789abcdef";
    e.downUrl = "http://h/f";
    e.tempPath = "/t/temp/x";
    e.localPath = "/t/x";
    e.sizeAtStart = 1;
    e.downloaded = 2;
    e.listSize = 3;
    e.actionFlags = 4;
    e.resultFlags = 5;
    e.speed = 6;
    e.earlierSeconds = 7;
    e.elapsedText = "00:00:01";
    e.remainingText = "--:--:--";
    e.state = 8;
    e.attempts = 9;
    e.allowed = 10;
    e.workerIndex = -1;
    EntryRecord r = encodeEntry(e);
    const unsigned char* p = r.data();
    std::string gbkName = common::utf8ToGbk(e.name);
    EXPECT_EQ(std::memcmp(p, gbkName.data(), gbkName.size()), 0);
    EXPECT_EQ(p[gbkName.size()], 0);
    EXPECT_EQ(std::memcmp(p + 260, e.checksum.data(), 32), 0);
    EXPECT_EQ(p[292], 0);
    EXPECT_EQ(std::memcmp(p + 293, "http://h/f", 10), 0);
    EXPECT_EQ(std::memcmp(p + 553, "/t/temp/x", 9), 0);
    EXPECT_EQ(std::memcmp(p + 813, "/t/x", 4), 0);
    for (std::size_t i = 129; i < 260; ++i)
        EXPECT_EQ(p[i], 0) << i;
    for (std::size_t i = 1073; i < 1076; ++i)
        EXPECT_EQ(p[i], 0) << i;
    const std::int32_t ints[] = {1, 2, 3, 4, 5, 6, 7};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(intAt(p, 1076 + 4 * i), ints[i]);
    EXPECT_EQ(std::memcmp(p + 1104, "00:00:01", 9), 0);
    EXPECT_EQ(std::memcmp(p + 1116, "--:--:--", 9), 0);
    EXPECT_EQ(intAt(p, 1128), 8);
    EXPECT_EQ(intAt(p, 1132), 9);
    EXPECT_EQ(intAt(p, 1136), 10);
    EXPECT_EQ(intAt(p, 1140), -1);

    UpdateEntry back = decodeEntry(r);
    EXPECT_EQ(back.name, e.name);
    EXPECT_EQ(back.localPath, e.localPath);
    EXPECT_EQ(back.workerIndex, -1);
    EXPECT_EQ(back.remainingText, "--:--:--");
}

TEST(Records, FieldsAreCutOnCharacterBoundaries) {
    UpdateEntry e;
    e.name = "x";
    for (int i = 0; i < 100; ++i)
        e.name += "梦";  // 201 GBK bytes into a 129-byte field
    e.elapsedText = "123456789012345";
    EntryRecord r = encodeEntry(e);
    EXPECT_EQ(r[128], 0);
    EXPECT_EQ(r[127], 0) << "127 bytes would split a character";
    EXPECT_EQ(decodeEntry(r).name.size(), 1u + 63u * 3);
    EXPECT_EQ(decodeEntry(r).elapsedText, "12345678901");
    EXPECT_EQ(r[129], 0) << "the reserved bytes after the name stay zero";

    LocalRecord l{"kalvix", "abc", "/t/temp/kalvix", 77};
    LocalRecordBytes lb = encodeLocal(l);
    EXPECT_EQ(std::memcmp(lb.data() + 260, "abc", 4), 0);
    EXPECT_EQ(std::memcmp(lb.data() + 293, "/t/temp/kalvix", 15), 0);
    EXPECT_EQ(intAt(lb.data(), 556), 77);
}

TEST(ListFiles, WriteAndReadBack) {
    test::TempDir dir;
    std::vector<LocalRecord> local = {{"a", "1", "/t/a", 1}, {"攻略/b", "2", "/t/攻略/b", 2}};
    ASSERT_TRUE(writeLocalList(dir.path() + "/localList.dat", local));
    std::string bytes = test::readFile(dir.path() + "/localList.dat");
    ASSERT_EQ(bytes.size(), 7u + 2 * 560);
    EXPECT_EQ(bytes.substr(0, 7), std::string("LST\x02\0\0\0", 7));
    auto back = readLocalList(dir.path() + "/localList.dat");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].name, "攻略/b");
    EXPECT_EQ(back[1].size, 2);

    UpdateEntry failed;
    failed.name = "kalvix";
    failed.resultFlags = kResultCopyFailed;
    ASSERT_TRUE(writeFailList(dir.path() + "/faillist.dat", {&failed}));
    bytes = test::readFile(dir.path() + "/faillist.dat");
    ASSERT_EQ(bytes.size(), 7u + 1144);
    EXPECT_EQ(bytes.substr(0, 7), std::string("FAL\x01\0\0\0", 7));
    ASSERT_EQ(readFailList(dir.path() + "/faillist.dat").size(), 1u);
    ASSERT_TRUE(writeFailList(dir.path() + "/faillist.dat", {}));
    EXPECT_EQ(test::readFile(dir.path() + "/faillist.dat"), std::string("FAL\0\0\0\0", 7));
}

TEST(ListFiles, DamagedFilesKeepWhatIsWhole) {
    const std::string data = std::string(KALVIX_TEST_DATA) + "/upvarro/";
    auto local = readLocalList(data + "local_count_larger.dat");
    ASSERT_EQ(local.size(), 2u);
    EXPECT_EQ(local[0].name, "kalvix");
    EXPECT_EQ(local[1].name, "攻略/副本.txt");
    EXPECT_EQ(local[1].size, 12);

    EXPECT_TRUE(readFailList(data + "fail_fax_header.dat").empty());
    EXPECT_TRUE(readFailList(data + "fail_short_header.dat").empty());
    EXPECT_TRUE(readFailList(data + "missing.dat").empty());
    EXPECT_TRUE(readLocalList(data + "fail_count_larger.dat").empty()) << "FAL is not LST";
    auto fail = readFailList(data + "fail_count_larger.dat");
    ASSERT_EQ(fail.size(), 1u);
    EXPECT_EQ(fail[0].name, "kalvix");
    EXPECT_EQ(fail[0].resultFlags, kResultCopyFailed);

    std::string negative("LST\xff\xff\xff\xff", 7);
    EXPECT_TRUE(parseLocalList(negative + std::string(560, 'a')).empty());
}

}  // namespace
}  // namespace upvarro
