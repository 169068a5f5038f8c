#include "kalvix/core/quiz/question_csv.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "kalvix/core/quiz/pinyin_initials.h"
#include "quiz_test_support.h"

namespace {

using kalvix::pinyinInitials;
using kalvix::readQuestionCsv;

TEST(PinyinInitials, OfCharactersAndTexts) {
    struct Case {
        const char* text;
        const char* initials;
    } cases[] = {
        // The first and last character of each initial's run in GB2312 level 1.
        {"啊", "A"},
        {"澳", "A"},
        {"芭", "B"},
        {"怖", "B"},
        {"擦", "C"},
        {"错", "C"},
        {"搭", "D"},
        {"堕", "D"},
        {"蛾", "E"},
        {"贰", "E"},
        {"发", "F"},
        {"咐", "F"},
        {"噶", "G"},
        {"过", "G"},
        {"哈", "H"},
        {"祸", "H"},
        {"击", "J"},
        {"骏", "J"},
        {"喀", "K"},
        {"阔", "K"},
        {"垃", "L"},
        {"络", "L"},
        {"妈", "M"},
        {"穆", "M"},
        {"拿", "N"},
        {"诺", "N"},
        {"哦", "O"},
        {"沤", "O"},
        {"啪", "P"},
        {"瀑", "P"},
        {"期", "Q"},
        {"群", "Q"},
        {"然", "R"},
        {"弱", "R"},
        {"撒", "S"},
        {"所", "S"},
        {"塌", "T"},
        {"唾", "T"},
        {"挖", "W"},
        {"误", "W"},
        {"昔", "X"},
        {"迅", "X"},
        {"压", "Y"},
        {"孕", "Y"},
        {"匝", "Z"},
        {"座", "Z"},
        // Level 2 and beyond GB2312.
        {"鄱阳湖", "PYH"},
        {"嫦娥", "CE"},
        {"毕昇", "BS"},
        {"鲫鱼", "JY"},
        {"龘", "D"},
        {"說話", "SH"},
        // Not Han: kana and symbols have no reading.
        {"あ★", ""},
        // Letters upper-cased, digits kept, punctuation dropped.
        {"“床前明月光”的作者是", "CQMYGDZZS"},
        {"NPC查询", "NPCCX"},
        {"a1，b2！", "A1B2"},
        {"", ""},
        {"\xff\xfe", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pinyinInitials(c.text), c.initials) << c.text;
}

TEST(QuestionCsv, ReadsQuotedFieldsAndComputesEmptyPinyin) {
    const auto csv = readQuestionCsv(
        "\xEF\xBB\xBFQuestion,answer,QType,PinYin\r\n"
        "\"甲,乙\",\"说\"\"好\"\"\",科举试题,\r\n"
        "\"两\n行\",,元宵灯谜,KEY\n"
        "\n"
        "最后一行,无换行,NPC查询,");
    ASSERT_TRUE(csv.ok()) << csv.error;
    ASSERT_EQ(csv.rows.size(), 3u);
    EXPECT_EQ(csv.rows[0].question, "甲,乙");
    EXPECT_EQ(csv.rows[0].answer, "说\"好\"");
    EXPECT_EQ(csv.rows[0].pinyin, "JY");
    EXPECT_EQ(csv.rows[1].question, "两\n行");
    EXPECT_EQ(csv.rows[1].answer, "");
    EXPECT_EQ(csv.rows[1].type, "元宵灯谜");
    EXPECT_EQ(csv.rows[1].pinyin, "KEY");
    EXPECT_EQ(csv.rows[2].answer, "无换行");
}

TEST(QuestionCsv, RefusesMalformedTextWithTheLine) {
    struct Case {
        const char* file;
        const char* error;
    } cases[] = {
        {"bad_quote.csv", "line 3: unterminated quoted field"},
        {"bad_fields.csv", "line 4: expected 4 fields, found 3"},
        {"bad_header.csv", "line 1: the header must be Question,answer,QType,PinYin"},
        {"bad_utf8.csv", "line 2: not valid UTF-8 text"},
    };
    for (const Case& c : cases) {
        const auto csv = readQuestionCsv(quiz_test::readFile(quiz_test::fixture(c.file)));
        EXPECT_EQ(csv.error, c.error) << c.file;
        EXPECT_TRUE(csv.rows.empty()) << c.file;
    }
    EXPECT_EQ(readQuestionCsv("Question,answer,QType,PinYin\n\"a\"b,c,d,e\n").error,
              "line 2: text after a closing quote");
    EXPECT_EQ(readQuestionCsv("Question,answer,QType,PinYin\na\"b,c,d,e\n").error,
              "line 2: quote inside an unquoted field");
    EXPECT_EQ(readQuestionCsv("").error, "line 1: the header must be Question,answer,QType,PinYin");
    EXPECT_EQ(readQuestionCsv("Question,answer,QType,PinYin\na,b,c,d\nq," +
                              std::string(65537, 'x') + ",c,d\n")
                  .error,
              "line 3: a field longer than 65536 bytes");
}

TEST(QuestionCsv, WritingIntoAMissingFolderLeavesNothing) {
    quiz_test::TempFolder folder;
    const std::string path = folder.file("no/such/folder/Conversion.dat");
    const auto error = kalvix::writeQuestionStore(quiz_test::fixtureRows(), path);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "unable to open database file");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

}  // namespace
