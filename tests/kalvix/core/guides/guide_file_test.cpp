#include "kalvix/core/guides/guide_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "common/gbk.h"
#include "kalvix/core/guides/guide_text_page.h"

namespace {

using kalvix::GuideFile;

std::string fixture(const char* name) {
    return std::string(KALVIX_TEST_DATA) + "/guides/" + name;
}

struct Lookup {
    const char* file;
    const char* section;
    const char* key;
    const char* expected;
};

class GuideFileLookup : public testing::TestWithParam<Lookup> {};

TEST_P(GuideFileLookup, ShowsWhatTheFileHolds) {
    const Lookup& c = GetParam();
    GuideFile file(fixture(c.file));
    EXPECT_EQ(file.guide(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GuideFileLookup,
    testing::Values(Lookup{"xyq.ini", "剧情任务", "商人的鬼魂", "第一行\r\n第二行"},
                    Lookup{"xyq.ini", "剧情任务", "枯萎的金莲", "前后有空格"},
                    Lookup{"xyq.ini", "剧情任务", "请选择剧情任务", "提示项也有文字"},
                    // The second byte of 亅 is '|': it must not pair with the '|' after it.
                    Lookup{"xyq.ini", "剧情任务", "玄奘的身世", "亅|乤"},
                    Lookup{"xyq.ini", "剧情任务", "寻找四琉璃", "引号里的文字"},
                    Lookup{"xyq.ini", "剧情任务", "大战心魔", ""},
                    Lookup{"xyq.ini", "剧情任务", "三打白骨精", ""},
                    Lookup{"xyq.ini", "没有的节", "商人的鬼魂", ""},
                    Lookup{"xyq.ini", "副本攻略", "商人的鬼魂", "另一节的同名键"},
                    Lookup{"xyq.ini", "副本攻略", "Tarvel副本攻略", "大小写不同的键"},
                    Lookup{"xyq.ini", "副本攻略", "丄键", "第二字节是大写字母"},
                    // 乤 differs from 丄 only in the letter case of its second byte: another key.
                    Lookup{"xyq.ini", "副本攻略", "乤键", ""},
                    Lookup{"absent.ini", "剧情任务", "商人的鬼魂", ""},
                    // A lone lead byte costs its own line a replacement, never the line after it.
                    Lookup{"damaged.ini", "剧情任务", "商人的鬼魂", "好\xEF\xBF\xBD"},
                    Lookup{"damaged.ini", "剧情任务", "枯萎的金莲", "下一行"},
                    Lookup{"damaged.ini", "剧情任务", "玄奘的身世", "坏\xEF\xBF\xBD字"},
                    Lookup{"damaged.ini", "副本攻略", "四季副本攻略", ""},
                    Lookup{"utf8.ini", "剧情任务", "商人的鬼魂", ""}));

class GuideFileLength : public testing::Test {
  protected:
    void SetUp() override {
        path_ = testing::TempDir() + "guide_file_length_" +
                testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    }
    void TearDown() override { std::remove(path_.c_str()); }
    void write(const std::string& value) {
        std::ofstream out(path_, std::ios::binary);
        out << common::utf8ToGbk("[剧情任务]\r\n商人的鬼魂=") << common::utf8ToGbk(value) << "\r\n";
    }
    std::string path_;
};

std::string repeat(const std::string& s, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST_F(GuideFileLength, CutsAtTheRoomOnACharacterBoundary) {
    // 102399 bytes fit beside the terminator; a double-byte character may not be split.
    struct Case {
        std::string value;
        std::string shown;
    } cases[] = {
        {repeat("字", 51199), repeat("字", 51199)},
        {repeat("字", 60000), repeat("字", 51199)},
        {"a" + repeat("字", 60000), "a" + repeat("字", 51199)},
        {repeat("a", 102399), repeat("a", 102399)},
        {repeat("a", 102400), repeat("a", 102399)},
        {repeat("a", 102398) + "||b", repeat("a", 102398) + "|"},
    };
    for (const Case& c : cases) {
        write(c.value);
        const std::string shown = GuideFile(path_).guide("剧情任务", "商人的鬼魂");
        EXPECT_EQ(shown.size(), c.shown.size());
        EXPECT_TRUE(shown == c.shown) << c.value.size();
    }
}

// Files that are not a guide file of a sensible size read as no file, at once; a file is
// parsed once and again only when it changes.
TEST_F(GuideFileLength, OnlyARegularFileOfBoundedSizeIsRead) {
    const std::string head = common::utf8ToGbk("[剧情任务]\n商人的鬼魂=有\n");
    struct Case {
        const char* name;
        std::string bytes;  // the file's contents; empty name of a special file below
        const char* shown;
    } cases[] = {
        {"at the limit", head + std::string(GuideFile::kMaxFileBytes - head.size(), '\n'), "有"},
        {"over the limit", head + std::string(GuideFile::kMaxFileBytes - head.size() + 1, '\n'),
         ""},
        {"a link to /dev/zero", "", ""},
        {"a pipe", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(path_.c_str());
        if (std::string(c.name) == "a link to /dev/zero")
            ASSERT_EQ(::symlink("/dev/zero", path_.c_str()), 0);
        else if (std::string(c.name) == "a pipe")
            ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
        else
            std::ofstream(path_, std::ios::binary) << c.bytes;
        EXPECT_EQ(GuideFile(path_).guide("剧情任务", "商人的鬼魂"), c.shown);
    }
    std::remove(path_.c_str());

    write("第一版");
    GuideFile file(path_);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(file.guide("剧情任务", "商人的鬼魂"), "第一版");
    EXPECT_EQ(file.loads(), 1);
    write("改过的第二版");
    EXPECT_EQ(file.guide("剧情任务", "商人的鬼魂"), "改过的第二版");
    EXPECT_EQ(file.loads(), 2);
}

}  // namespace

namespace {

// The sample file shipped beside the toolbox: every guide it holds belongs to an entry of the
// lists and says it is a sample.
TEST(GuideFile, SampleFileFitsTheLists) {
    const std::string path = std::string(KALVIX_TEST_DATA) + "/../../resources/guides/xyq.ini";
    GuideFile file(path);
    int shown = 0;
    for (auto kind : {kalvix::GuideTextPage::Story, kalvix::GuideTextPage::Dungeon}) {
        for (const std::string& entry : kalvix::GuideTextPage::entries(kind)) {
            const std::string guide = file.guide(kalvix::GuideTextPage::section(kind), entry);
            if (guide.empty())
                continue;
            ++shown;
            EXPECT_EQ(guide.rfind("【示例攻略】", 0), 0u) << entry;
            EXPECT_NE(guide.find("\r\n"), std::string::npos) << entry;
            EXPECT_EQ(guide.find("||"), std::string::npos) << entry;
        }
    }
    EXPECT_GE(shown, 5);
    std::ifstream in(path, std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(common::gbkToUtf8Strict(raw).has_value());
    // Every key line of the file is an entry: nothing in it is lost to a misspelt key.
    std::size_t keys = 0;
    for (std::size_t pos = 0; (pos = raw.find("\r\n", pos)) != std::string::npos; pos += 2)
        if (raw.compare(pos + 2, 1, ";") != 0 && raw.compare(pos + 2, 1, "[") != 0 &&
            raw.find('=', pos + 2) < raw.find("\r\n", pos + 2))
            ++keys;
    EXPECT_EQ(keys, static_cast<std::size_t>(shown));
}

}  // namespace
