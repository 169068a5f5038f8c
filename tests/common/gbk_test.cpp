#include "common/gbk.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(Gbk, RoundTripsChineseAndAscii) {
    const std::string text = "普陀寺 abc 毒　经";
    std::string gbk = common::utf8ToGbk(text);
    EXPECT_EQ(gbk.size(), 3u * 2 + 5 + 3u * 2);
    EXPECT_EQ(common::gbkToUtf8(gbk), text);
    EXPECT_EQ(common::gbkLength(text), gbk.size());
    EXPECT_EQ(static_cast<unsigned char>(common::utf8ToGbk("普")[0]), 0xC6u);
}

TEST(Gbk, UnconvertibleTextIsReplacedOrRefused) {
    EXPECT_EQ(common::utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");  // emoji has no GBK form
    EXPECT_FALSE(common::utf8ToGbkStrict("a\xF0\x9F\x98\x80z").has_value());
    EXPECT_EQ(common::utf8ToGbk("a\xFFz"), "a?z");
    EXPECT_FALSE(common::gbkToUtf8Strict("\x81").has_value());
    EXPECT_EQ(common::gbkToUtf8("a\x81"), "a\xEF\xBF\xBD");
}

TEST(Gbk, CutsNeverSplitADoubleByteCharacter) {
    struct Case {
        std::string utf8;
        std::size_t max;
        std::string expected;
    } cases[] = {
        {"ab普陀", 3, "ab"},  // 普 would need bytes 3 and 4
        {"ab普陀", 4, "ab普"}, {"ab普陀", 5, "ab普"}, {"ab普陀", 6, "ab普陀"},
        {"普陀", 1, ""},       {"", 5, ""},           {"abcdef", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(common::cutUtf8ToGbkBytes(c.utf8, c.max), c.expected) << c.utf8 << " " << c.max;
    }
    // A second byte that looks like a lead byte (0x81..0xFE) still belongs to its pair.
    std::string gbk = common::utf8ToGbk("怡怡");  // D2 CA D2 CA
    EXPECT_EQ(common::cutGbk(gbk, 3), gbk.substr(0, 2));
}

TEST(Gbk, FixedFieldsStayTerminatedAndInside) {
    char field[8];
    std::memset(field, 'x', sizeof field);
    common::copyToField(field, 6, common::utf8ToGbk("普陀寺"));  // 6 bytes, room for 5
    EXPECT_EQ(common::readField(field, 6), common::utf8ToGbk("普陀"));
    EXPECT_EQ(field[4], '\0');
    EXPECT_EQ(field[5], '\0');
    EXPECT_EQ(field[6], 'x');  // untouched beyond the field
    char full[3] = {'a', 'b', 'c'};
    EXPECT_EQ(common::readField(full, 3), "abc");
}

// Each thread keeps its own converters: threads converting at the same time (the updater's
// download threads beside its user-interface thread) never see each other's text.
TEST(Gbk, ThreadsConvertAtTheSameTime) {
    // Long texts, so that conversions on different threads overlap.
    std::vector<std::string> texts;
    for (const char* piece : {"普陀山", "长安城/大唐官府", "东海湾 2.0", "龙宫\\东海湾", "abc"}) {
        std::string t;
        for (int i = 0; i < 300; ++i)
            t += piece;
        texts.push_back(t);
    }
    std::vector<std::string> gbk;
    for (const std::string& t : texts)
        gbk.push_back(common::utf8ToGbk(t));
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (std::size_t n = 0; n < 4; ++n)
        threads.emplace_back([&, n] {
            for (int round = 0; round < 300; ++round) {
                const std::size_t i = (n + static_cast<std::size_t>(round)) % texts.size();
                if (common::utf8ToGbk(texts[i]) != gbk[i] || common::gbkToUtf8(gbk[i]) != texts[i])
                    ++wrong;
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
