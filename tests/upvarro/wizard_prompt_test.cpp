// The update prompt's change log and texts.

#include <gtest/gtest.h>

#include <string>

#include "common/gbk.h"
#include "test_support.h"
#include "upvarro/core/wizard_prompt.h"

namespace upvarro {
namespace {

struct ChangelogCase {
    const char* name;
    bool present;
    std::string bytes;     // as the file holds them
    std::string expected;  // UTF-8
};

class Changelog : public ::testing::TestWithParam<ChangelogCase> {};

TEST_P(Changelog, LoadsAtMost4095BytesOfGbkOrUtf8) {
    const ChangelogCase& c = GetParam();
    test::TempDir dir;
    if (c.present)
        test::writeFile(dir.path() + "/changelog.txt", c.bytes);
    EXPECT_EQ(loadChangelog(dir.path()), c.expected);
}

const std::string kHan = common::utf8ToGbk("修");  // two bytes

INSTANTIATE_TEST_SUITE_P(
    Cases, Changelog,
    ::testing::Values(
        ChangelogCase{"Missing", false, "", "暂时没有版本修改信息！"},
        ChangelogCase{"Empty", true, "", ""},
        ChangelogCase{"Gbk", true, common::utf8ToGbk("1.修正了问题\r\n2.新增"),
                      "1.修正了问题\r\n2.新增"},
        ChangelogCase{"LongIsCut", true, std::string(9000, 'a'), std::string(4095, 'a')},
        // The limit falls inside a double-byte character: the whole character goes.
        ChangelogCase{"CutCharacterDropped", true, std::string(4094, 'a') + kHan + "tail",
                      std::string(4094, 'a')},
        ChangelogCase{"CharacterEndingAtTheLimitKept", true, std::string(4093, 'a') + kHan + "tail",
                      std::string(4093, 'a') + "修"},
        ChangelogCase{"EndsAtZeroByte", true, std::string("ab\0cd", 5), "ab"},
        ChangelogCase{"UndecodableShowsAsReplacement", true, "\xff\xfe",
                      "\xef\xbf\xbd\xef\xbf\xbd"},
        // What makers on Linux write.
        ChangelogCase{"Utf8", true, "1.修正了问题\r\n2.新增", "1.修正了问题\r\n2.新增"},
        ChangelogCase{"Utf8WithByteOrderMark", true, "\xEF\xBB\xBF更新说明", "更新说明"},
        ChangelogCase{"Utf8CutBetweenCharacters", true, std::string(4094, 'a') + "修正",
                      std::string(4094, 'a')}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Changelog, AnyBytesGiveValidText) {
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += static_cast<char>((i * 131 + 7) % 256);
    test::writeFile(dir.path() + "/changelog.txt", bytes);
    std::string text = loadChangelog(dir.path());
    EXPECT_FALSE(text.empty());
    EXPECT_LE(common::utf8ToGbk(text).size(), 4095u);
}

TEST(Prompt, ForcedUpdateAsksInRed) {
    EXPECT_EQ(promptQuestion(false), "发现新版本，是否要升级？");
    EXPECT_EQ(promptQuestion(true), "重要bug修改，请升级到最新版本!");
    EXPECT_EQ(promptColour(true).red, 255);
    EXPECT_EQ(promptColour(true).green, 0);
    EXPECT_EQ(promptColour(false).green, 255);
    EXPECT_EQ(promptColour(false).red, 0);
}

}  // namespace
}  // namespace upvarro
