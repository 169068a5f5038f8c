#include "kalvix/core/quiz/pinyin_readings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/pinyin_initials.h"

namespace {

using kalvix::pinyinInitials;

std::vector<std::string> readingsOf(const std::string& utf8) {
    std::vector<std::string> out;
    kalvix::forEachCharacter(utf8, [&out](char32_t c, std::size_t, std::size_t) {
        for (std::uint16_t id : kalvix::pinyinReadingIds(c))
            out.emplace_back(kalvix::pinyinSyllable(id));
    });
    return out;
}

// Readings written down from a dictionary, not taken from the table. initial: what the
// question key gets (the common reading's), '?' where a polyphonic character's common
// reading is a matter of usage; readings: ones the character must have (ü as v).
struct Case {
    const char* character;
    char initial;
    std::vector<const char*> readings;
};

const Case kCases[] = {
    // GB2312 level 1
    {"啊", 'A', {"a"}},
    {"城", 'C', {"cheng"}},
    {"爱", 'A', {"ai"}},
    {"国", 'G', {"guo"}},
    {"鱼", 'Y', {"yu"}},
    {"湖", 'H', {"hu"}},
    {"明", 'M', {"ming"}},
    {"压", 'Y', {"ya"}},
    {"座", 'Z', {"zuo"}},
    {"女", 'N', {"nv"}},
    {"说", 'S', {"shuo"}},
    // GB2312 level 2
    {"亟", '?', {"ji", "qi"}},
    {"佘", 'S', {"she"}},
    {"俎", 'Z', {"zu"}},
    {"鄱", 'P', {"po"}},
    {"嫦", 'C', {"chang"}},
    {"婵", 'C', {"chan"}},
    {"菡", 'H', {"han"}},
    {"萏", 'D', {"dan"}},
    {"蘅", 'H', {"heng"}},
    {"馗", 'K', {"kui"}},
    {"毓", 'Y', {"yu"}},
    {"璇", 'X', {"xuan"}},
    {"麒", 'Q', {"qi"}},
    {"囟", 'X', {"xin"}},
    // GBK beyond GB2312, traditional forms among them
    {"說", 'S', {"shuo"}},
    {"學", 'X', {"xue"}},
    {"國", 'G', {"guo"}},
    {"龍", 'L', {"long"}},
    {"門", 'M', {"men"}},
    {"馬", 'M', {"ma"}},
    {"書", 'S', {"shu"}},
    {"東", 'D', {"dong"}},
    {"愛", 'A', {"ai"}},
    {"漢", 'H', {"han"}},
    {"與", '?', {"yu"}},
    {"堃", 'K', {"kun"}},
    {"犇", 'B', {"ben"}},
    {"镕", 'R', {"rong"}},
    {"龘", 'D', {"da"}},
    {"長", '?', {"chang", "zhang"}},
    {"樂", '?', {"le", "yue"}},
    // Polyphonic
    {"重", '?', {"zhong", "chong"}},
    {"长", '?', {"chang", "zhang"}},
    {"行", '?', {"xing", "hang"}},
    {"乐", '?', {"le", "yue"}},
    {"还", '?', {"hai", "huan"}},
    {"都", '?', {"du", "dou"}},
    {"的", '?', {"de", "di"}},
    {"了", '?', {"le", "liao"}},
    {"得", '?', {"de", "dei"}},
    {"着", '?', {"zhe", "zhao", "zhuo"}},
    {"觉", '?', {"jue", "jiao"}},
    {"朝", '?', {"chao", "zhao"}},
    {"传", '?', {"chuan", "zhuan"}},
    {"差", '?', {"cha", "chai", "ci"}},
    {"便", '?', {"bian", "pian"}},
    {"调", '?', {"diao", "tiao"}},
    {"曾", '?', {"ceng", "zeng"}},
    {"藏", '?', {"cang", "zang"}},
    {"单", '?', {"dan", "shan", "chan"}},
    {"解", '?', {"jie", "xie"}},
    {"率", '?', {"lv", "shuai"}},
    {"绿", '?', {"lv", "lu"}},
};

TEST(PinyinReadings, OfCharactersAcrossGbkAndPolyphonicOnes) {
    for (const Case& c : kCases) {
        const std::vector<std::string> readings = readingsOf(c.character);
        for (const char* want : c.readings)
            EXPECT_NE(std::find(readings.begin(), readings.end(), want), readings.end())
                << c.character << " lacks " << want;
        const std::string key = pinyinInitials(c.character);
        ASSERT_EQ(key.size(), 1u) << c.character;
        if (c.initial != '?') {
            EXPECT_EQ(key[0], c.initial) << c.character;
        } else {
            // The key takes one of the character's own readings.
            ASSERT_FALSE(readings.empty()) << c.character;
            EXPECT_EQ(key[0], readings.front()[0] - 'a' + 'A') << c.character;
        }
    }
}

TEST(PinyinReadings, OnlyHanCharactersHaveReadings) {
    for (char32_t c : {U'a', U'Z', U'1', U'，', U'あ', U'★', U'\u3000', char32_t{0x10FFFF}})
        EXPECT_TRUE(kalvix::pinyinReadingIds(c).empty()) << static_cast<unsigned>(c);
    EXPECT_EQ(kalvix::pinyinInitial(U'中'), 'Z');
    EXPECT_EQ(kalvix::pinyinSyllable(static_cast<std::uint16_t>(kalvix::pinyinSyllableCount())),
              "");
}

}  // namespace
