#include "upvarro/core/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/gbk.h"
#include "test_support.h"
#include "upvarro/core/folders.h"

namespace upvarro {
namespace {

using test::readFile;
using test::writeFile;

std::time_t localTime(int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

TEST(LastUpdateDate, ParsesAndNormalises) {
    const std::time_t now = localTime(2020, 5, 6, 7, 8, 9);
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"2011-9-28 10:51:5", "2011-09-28 10:51:05"},
        {"2011/13/1 0:0:0", "2012-01-01 00:00:00"},
        {"2011-09-28 24:00:00", "2011-09-29 00:00:00"},
        {"2011-2-30 1:60:0", "2011-03-02 02:00:00"},
        {"1899-14-32 25:61:61", "2020-05-06 07:08:09"},    // every field out of range
        {"2111-0-0 -1:5:5", "2020-05-06 01:05:05"},        // "-" separates: the hour is 1
        {"2011-9-28 10:51:5 7", "2020-05-06 07:08:09"},    // a seventh piece: now
        {"2011--9//28  10::51:5", "2011-09-28 10:51:05"},  // runs of separators
        {"2011-9-28", "2011-09-28 00:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatLastUpdateDate(parseLastUpdateDate(c.text, now)), c.expected) << c.text;
    EXPECT_FALSE(parseLastUpdateDate("", now).has_value());
    EXPECT_FALSE(parseLastUpdateDate("  ", now).has_value());
    EXPECT_EQ(formatLastUpdateDate(std::nullopt), "");
}

TEST(Configuration, MissingKeysTakeDefaultsAndEmptyListPathFails) {
    test::TempDir dir;
    const std::string ini = dir.path() + "/upvarro.ini";
    Settings s;
    EXPECT_TRUE(readConfiguration(ini, s, 0)) << "a missing file is an empty profile";
    EXPECT_EQ(s.version, "1.0.0000");
    EXPECT_EQ(s.title, "Marrowind V2.0");
    EXPECT_EQ(s.updateListUrlPath, "/softupdate/tallyo");
    EXPECT_EQ(s.downloadThreadNumber, 8);
    EXPECT_EQ(s.autoNextStep, 1);
    EXPECT_FALSE(s.lastUpdateDate.has_value());

    writeFile(ini, "[server]\r\nupdatelisturlpath=\r\n");
    Settings empty;
    EXPECT_FALSE(readConfiguration(ini, empty, 0));

    std::filesystem::create_directories(dir.path() + "/folder.ini");
    Settings unreadable;
    EXPECT_FALSE(readConfiguration(dir.path() + "/folder.ini", unreadable, 0));

    // The list's scheme: http when the key is missing, https when asked for, nothing else.
    struct Scheme {
        const char* line;
        const char* scheme;  // nullptr: a configuration error
    } schemes[] = {{"", "http"},
                   {"UpdateScheme=https\r\n", "https"},
                   {"UpdateScheme=HTTPS\r\n", "https"},
                   {"UpdateScheme=ftp\r\n", nullptr},
                   {"UpdateScheme=\r\n", nullptr}};
    for (const Scheme& c : schemes) {
        writeFile(ini, std::string("[Server]\r\n") + c.line);
        Settings read;
        EXPECT_EQ(readConfiguration(ini, read, 0), c.scheme != nullptr) << c.line;
        if (c.scheme) {
            EXPECT_EQ(read.updateScheme, c.scheme) << c.line;
        }
    }
}

TEST(Configuration, RoundTripKeepsOtherLinesAndSkipsThreadNumber) {
    test::TempDir dir;
    const std::string ini = dir.path() + "/upvarro.ini";
    // GBK title longer than its 127 bytes: 70 two-byte characters are cut to 63 of them.
    std::string longTitle;
    for (int i = 0; i < 70; ++i)
        longTitle += "梦";
    writeFile(ini, "; kept comment\r\n[Version]\r\nTitle=" + common::utf8ToGbk(longTitle) +
                       "\r\n[UpdateType]\r\nDownloadThreadNumber=3\r\nLastUpdateDate=2011-9-28 "
                       "10:51:5\r\nAutoNextStep=0\r\n[Server]\r\nUpdateHost=\r\nUpdatePort=0x50\r\n"
                       "LogLevel=-4\r\n[Other]\r\nKey=Value\r\n");
    Settings s;
    ASSERT_TRUE(readConfiguration(ini, s, 0));
    EXPECT_EQ(common::gbkLength(s.title), 126u);
    EXPECT_EQ(s.downloadThreadNumber, 3);
    EXPECT_EQ(s.autoNextStep, 0);
    EXPECT_EQ(s.updateHost, "") << "an empty value is a value, not a missing key";
    EXPECT_EQ(s.updatePort, 0) << "decimal only";
    EXPECT_EQ(s.logLevel, 0);

    s.downloadThreadNumber = 9;
    s.version = "2.0.0001";
    s.updateHost = "主机";
    ASSERT_TRUE(writeConfiguration(ini, s));
    std::string text = readFile(ini);
    EXPECT_NE(text.find("; kept comment\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Other]\r\nKey=Value\r\n"), std::string::npos);
    EXPECT_NE(text.find("DownloadThreadNumber=3\r\n"), std::string::npos);
    EXPECT_NE(text.find("LastUpdateDate=2011-09-28 10:51:05\r\n"), std::string::npos);
    EXPECT_NE(text.find("UpdateHost=" + common::utf8ToGbk("主机") + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("Version=2.0.0001\r\n"), std::string::npos);
    EXPECT_NE(text.find("BannerPath=\r\n"), std::string::npos) << "every key is written";

    Settings again;
    ASSERT_TRUE(readConfiguration(ini, again, 0));
    EXPECT_EQ(again.title, s.title);
    EXPECT_EQ(again.updateHost, "主机");
    EXPECT_EQ(again.lastUpdateDate, s.lastUpdateDate);
    EXPECT_EQ(again.downloadThreadNumber, 3);
}

TEST(Folders, DerivedFromTheUpdatersPath) {
    struct Case {
        const char* exe;
        const char* installation;
    } cases[] = {
        {"/opt/tool/update/upvarro", "/opt/tool"},
        {"/opt/tool/updater/upvarro", "/opt/tool/updater"},
        {"/opt/tool/Update/upvarro", "/opt/tool/Update"},
        {"/update/upvarro", ""},
    };
    for (const Case& c : cases) {
        Folders f = Folders::fromExecutable(c.exe);
        EXPECT_EQ(f.installation, c.installation) << c.exe;
        EXPECT_EQ(f.temporary, std::string(c.installation) + "/temp");
    }
    Folders f = Folders::fromExecutable("/opt/tool/update/upvarro");
    EXPECT_EQ(f.module, "/opt/tool/update");
    EXPECT_EQ(f.configurationFile(), "/opt/tool/update/upvarro.ini");
}

TEST(Folders, ParentFoldersOfThePathAreMade) {
    test::TempDir dir;
    EXPECT_TRUE(makeParentFolders(dir.path() + "/a/b/temp"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/a/b"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/a/b/temp"));
    writeFile(dir.path() + "/file", "x");
    EXPECT_FALSE(makeParentFolders(dir.path() + "/file/sub/temp"));
}

}  // namespace
}  // namespace upvarro
