#include "upvarro/core/update_list.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace upvarro {
namespace {

const Folders kFolders = Folders::fromExecutable("/opt/tool/update/upvarro");

std::optional<UpdateList> parseFixture(const std::string& name, Settings& s) {
    return parseUpdateList(test::replaceAll(test::fixture(name), "@SERVER@", "http://h/f"),
                           kFolders, s);
}

TEST(UpdateList, SettingsByPrefixAndFileEntries) {
    Settings s;
    auto list = parseFixture("list_valid.xml", s);
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(s.version, "2.3.0001");
    EXPECT_EQ(s.title, "Kalvix v1.0.005");
    EXPECT_EQ(s.forceUpdate, 1);
    EXPECT_EQ(s.updateMaxSpin, 7);
    EXPECT_EQ(s.waterMarkPath, "pic/water.bmp");
    EXPECT_EQ(s.bannerPath, "pic/banner.bmp");
    EXPECT_TRUE(list->restart);

    struct Expected {
        const char* name;
        std::int32_t flags;
        std::int32_t allowed;
        std::int32_t state;
        std::int32_t size;
    } expected[] = {
        {"kalvix", 3, 1, 0, 100},           {"data/old.dat", 4, 0, 5, 0},
        {"plugin.dll", 11, 1, 0, 5},  // any tag after the first file element
        {"bin/game.exe", 3 | 128, 1, 0, 7}, {"tools/setup.exe", 35 | 128, 1, 0, 9},
        {"notes.txt", 0, 0, 0, 3},
    };
    ASSERT_EQ(list->entries.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const UpdateEntry& e = *list->entries[i];
        EXPECT_EQ(e.name, expected[i].name);
        EXPECT_EQ(e.actionFlags, expected[i].flags) << e.name;
        EXPECT_EQ(e.allowed, expected[i].allowed) << e.name;
        EXPECT_EQ(e.state, expected[i].state) << e.name;
        EXPECT_EQ(e.listSize, expected[i].size) << e.name;
        EXPECT_EQ(e.downUrl, "http://h/f");
        EXPECT_EQ(e.tempPath, "/opt/tool/temp/" + e.name);
        EXPECT_EQ(e.localPath, "/opt/tool/" + e.name);
    }
}

TEST(UpdateList, GbkDocument) {
    Settings s;
    auto list = parseFixture("list_gbk.xml", s);
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(s.title, "梦幻西游工具箱 v1.0.005");
    ASSERT_EQ(list->entries.size(), 1u);
    EXPECT_EQ(list->entries[0]->name, "攻略/副本.txt");
    EXPECT_EQ(list->entries[0]->localPath, "/opt/tool/攻略/副本.txt");
}

TEST(UpdateList, BrokenListsAreRefusedAndChangeNothing) {
    for (const char* name :
         {"list_no_file.xml", "list_first_not_file.xml", "list_missing_checksum.xml",
          "list_parent_name.xml", "list_not_xml.xml"}) {
        Settings s;
        EXPECT_FALSE(parseFixture(name, s).has_value()) << name;
        EXPECT_EQ(s.version, "1.0.0000") << name;
    }
    Settings s;
    EXPECT_FALSE(parseUpdateList("", kFolders, s).has_value());
    EXPECT_FALSE(parseUpdateList("<system/>", kFolders, s).has_value());
}

TEST(UpdateList, NamesMustStayInsideTheInstallation) {
    struct Case {
        const char* name;
        bool safe;
    } cases[] = {
        {"kalvix", true}, {"a/b/c.txt", true},    {"./a", true},           {"a/..b/c", true},
        {"", false},      {"/etc/passwd", false}, {"\\windows\\x", false}, {"C:\\x.exe", false},
        {"..", false},    {"a/../../b", false},   {"a\\..\\b", false},     {"a/..", false},
        {"a\nb", false},  {"a\rb", false},        {"a\x7f", false},        {"a\tb", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isSafeRelativeName(c.name), c.safe) << c.name;
}

TEST(UpdateList, SizeAndKeptLengths) {
    auto doc = [](const std::string& name, const std::string& size, const std::string& url) {
        return "<files><file name=\"" + name +
               "\" checksum=\"0123456789abcdef0123456789abcdefXX\""
               " DownUrl=\"" +
               url + "\" size=\"" + size + "\"/></files>";
    };
    Settings s;
    ASSERT_TRUE(parseUpdateList(doc("a", "1", "http://h/u"), kFolders, s));
    EXPECT_FALSE(parseUpdateList(doc("a", "-1", "http://h/u"), kFolders, s));
    EXPECT_FALSE(parseUpdateList(doc("a", "12x", "http://h/u"), kFolders, s));
    EXPECT_FALSE(parseUpdateList(doc("a", "99999999999", "http://h/u"), kFolders, s));
    EXPECT_FALSE(parseUpdateList(
        "<files><file name=\"a\" checksum=\"c\" DownUrl=\"http://h/u\"/></files>", kFolders, s));
    auto list = parseUpdateList(
        doc(std::string(200, 'n'), " 42 ", "http://" + std::string(300, 'u')), kFolders, s);
    ASSERT_TRUE(list);
    const UpdateEntry& e = *list->entries[0];
    EXPECT_EQ(e.name.size(), kNameLimit);
    EXPECT_EQ(e.checksum, "0123456789abcdef0123456789abcdef");
    EXPECT_EQ(e.downUrl.size(), kUrlLimit);
    EXPECT_EQ(e.listSize, 42);
}

}  // namespace
}  // namespace upvarro
