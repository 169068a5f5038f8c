#include "kalvix/core/quiz/question_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/my_ado_conn.h"
#include "quiz_test_support.h"

namespace {

using kalvix::QuestionRow;
using kalvix::QuestionStore;
using quiz_test::TempFolder;

std::vector<std::string> questions(const QuestionStore& store,
                                   const std::vector<std::size_t>& hits) {
    std::vector<std::string> out;
    for (std::size_t i : hits)
        out.push_back((*store.rows())[i].question.value_or("<null>"));
    return out;
}

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = folder.file("Conversion.dat");
        quiz_test::writeStore(quiz_test::fixtureRows(), path);
        store.setPath(path);
        ASSERT_EQ(store.refresh(), QuestionStore::Status::Ok) << store.error();
    }
    TempFolder folder;
    std::string path;
    QuestionStore store;
};

TEST_F(StoreTest, FindsByQuestionOrPinyinWithinTheCategory) {
    const std::optional<std::string> all;
    struct Case {
        const char* keyword;
        std::optional<std::string> category;
        std::vector<std::string> found;
    } cases[] = {
        {"明月", all, {"“床前明月光”的作者是"}},
        {"李白", all, {}},  // an answer is not searched
        {"的", std::string("NPC查询"), {"“卧龙”指的是哪位人物", "“诗仙”指的是"}},
        {"的", std::string("钓鱼查询"), {"金鱼是由哪种鱼演化而来的"}},
        {"诗仙", std::string("三界书院"), {}},
        // Pinyin initials, in any case; ZZQ is only the key of its row.
        {"jysy", all, {"金鱼是由哪种鱼演化而来的"}},
        {"CQMY", all, {"“床前明月光”的作者是"}},
        {"zzq", all, {"只有拼音键的题"}},
        // What a user types that the engine's text would trip over is searched literally.
        {"Tom's", all, {"Tom's cat is named"}},
        {"'", all, {"Tom's cat is named"}},
        {"\"hello\"", all, {"He said \"hello\", then left"}},
        {"; --", all, {"drop table; -- 注释"}},
        {"lines\nin", all, {"Two, lines\nin one question"}},
        // '%' and '_' keep their wildcard meaning.
        {"金%来", all, {"金鱼是由哪种鱼演化而来的"}},
        {"a_b", all, {"a_b 下划线"}},
        {"T_m", all, {"Tom's cat is named"}},
        {"画蛇添__", all, {"画蛇添（）"}},
        {"画蛇添___", all, {}},
        {"100%", all, {"100% 的把握"}},
        // Case folds for ASCII letters only.
        {"TOM'S CAT", all, {"Tom's cat is named"}},
        {"不存在的关键字", all, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(questions(store, store.search(c.keyword, c.category)), c.found) << c.keyword;
}

TEST_F(StoreTest, EmptyKeywordListsTheWholeCategoryInStoreOrder) {
    EXPECT_EQ(store.search("", std::nullopt).size(), store.rows()->size());
    EXPECT_EQ(store.search("%%", std::nullopt).size(), store.rows()->size());
    EXPECT_EQ(questions(store, store.search("", std::string("NPC查询"))),
              (std::vector<std::string>{"“卧龙”指的是哪位人物", "“诗仙”指的是"}));
    // 图片题目 has no name of its own: its rows would be those without a category.
    EXPECT_TRUE(store.search("", std::string()).empty());
}

// The memory match and the engine's LIKE over the bound query forms agree on every keyword,
// odd ones included.
TEST_F(StoreTest, MemoryMatchAgreesWithTheQueryForms) {
    const char* keywords[] = {"",         "的",       "李",      "jy",    "%",    "_",    "__",
                              "%的%是",   "的_",      "_的",     "'",     "''",   "\"",   ";",
                              "--",       "'; DROP",  "a",       "A",     "TOM",  "\t",   "\x01",
                              "\xff\xfe", "\xe6\x9d", "长江%吗", "a%b%c", "100%", "（）", "z_q"};
    for (const char* k : keywords)
        for (const std::optional<std::string>& category :
             {std::optional<std::string>(), std::optional<std::string>("科举试题"),
              std::optional<std::string>("科举填填乐")}) {
            auto byQuery = store.searchByQuery(k, category);
            ASSERT_TRUE(byQuery) << store.error();
            std::vector<std::string> expected;
            for (const QuestionRow& r : *byQuery)
                expected.push_back(r.question.value_or("<null>"));
            EXPECT_EQ(questions(store, store.search(k, category, false)), expected)
                << k << " " << category.value_or("all");
        }
}

// Keystrokes one after another: a keyword that contains the last one is searched among the
// last hits, which must give what a whole search gives.
TEST_F(StoreTest, TypingAKeywordAgreesWithTheQueryForms) {
    const char* typed[] = {"",   "的",   "的是",   "的是哪", "的是", "的",   "",  "t",
                           "to", "tom",  "to",     "%",      "%的",  "%的%", "_", "_的",
                           "画", "画蛇", "画蛇添", "z",      "zz",   "zzq"};
    for (const std::optional<std::string>& category :
         {std::optional<std::string>(), std::optional<std::string>("NPC查询"),
          std::optional<std::string>("科举试题")})
        for (const char* k : typed) {
            auto byQuery = store.searchByQuery(k, category);
            ASSERT_TRUE(byQuery) << store.error();
            std::vector<std::string> expected;
            for (const QuestionRow& r : *byQuery)
                expected.push_back(r.question.value_or("<null>"));
            EXPECT_EQ(questions(store, store.search(k, category, false)), expected)
                << k << " " << category.value_or("all");
        }
}

TEST_F(StoreTest, LongAndBrokenKeywordsAreSearchedSafely) {
    const std::string longKeyword(10000, 'x');
    EXPECT_TRUE(store.search(longKeyword, std::nullopt).empty());
    std::string longChinese;
    for (int i = 0; i < 10000; ++i)
        longChinese += "的";
    EXPECT_TRUE(store.search(longChinese, std::nullopt).empty());
    std::string wild;
    for (int i = 0; i < 5000; ++i)
        wild += "%_";
    EXPECT_TRUE(store.search(wild, std::nullopt).empty());
    EXPECT_TRUE(store.search(std::string("\0\x80", 2), std::nullopt).empty());
}

TEST_F(StoreTest, KeepsTheConnectionUntilTheFileChanges) {
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(store.refresh(), QuestionStore::Status::Ok);
    EXPECT_EQ(store.loads(), 1);

    // Another store moved into place is read at the next search.
    std::vector<QuestionRow> rows = quiz_test::fixtureRows();
    rows.push_back({"新加的题", "新答案", "科举试题", "XJDT"});
    quiz_test::writeStore(rows, path);
    ASSERT_EQ(store.refresh(), QuestionStore::Status::Ok);
    EXPECT_EQ(store.loads(), 2);
    EXPECT_EQ(questions(store, store.search("新加", std::nullopt)),
              std::vector<std::string>{"新加的题"});

    std::filesystem::remove(path);
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Missing);
    quiz_test::writeStore(rows, path);
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Ok);
    EXPECT_EQ(store.loads(), 3);
}

// The store is read as an immutable file: another program's lock does not keep it from the
// page, and reading leaves nothing beside it.
TEST_F(StoreTest, ReadsAStoreAnotherProgramHoldsLocked) {
    std::vector<QuestionRow> rows = quiz_test::fixtureRows();
    rows.pop_back();
    quiz_test::writeStore(rows, path);
    kalvix::MyAdoConn writer;
    ASSERT_TRUE(writer.open(path, true)) << writer.lastError();
    ASSERT_TRUE(writer.query("BEGIN EXCLUSIVE")) << writer.lastError();
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Ok) << store.error();
    EXPECT_EQ(store.rows()->size(), rows.size());
    ASSERT_TRUE(writer.query("COMMIT")) << writer.lastError();
}

TEST(QuestionStore, ReportsWhatIsWrongWithTheFile) {
    TempFolder folder;
    const std::string path = folder.file("Conversion.dat");
    QuestionStore store(path);
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Missing);

    // Not a store: garbage, and a store with another password.
    std::ofstream(path, std::ios::binary) << std::string(4096, 'k');
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Failed);
    EXPECT_EQ(store.error(), "file is encrypted or is not a database");

    const std::string other = folder.file("other.dat");
    {
        kalvix::MyAdoConn conn;
        ASSERT_TRUE(conn.open(other, true, "another password"));
        ASSERT_TRUE(conn.query("CREATE TABLE Conversion (Question, answer, QType, PinYin)"));
    }
    std::filesystem::rename(other, path);
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Failed);
    EXPECT_EQ(store.error(), "file is encrypted or is not a database");

    // The right password, the wrong table.
    {
        kalvix::MyAdoConn conn;
        ASSERT_TRUE(conn.open(other, true));
        ASSERT_TRUE(conn.query("CREATE TABLE Questions (Question, answer)"));
    }
    std::filesystem::rename(other, path);
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Failed);
    EXPECT_EQ(store.error(), kalvix::MyAdoConn::kNoTable);
}

TEST(QuestionStore, NullCellsAreHeldAsNull) {
    TempFolder folder;
    const std::string path = folder.file("Conversion.dat");
    quiz_test::writeStore({{std::nullopt, std::nullopt, "科举试题", "KJ"},
                           {"有题无答", std::nullopt, "科举试题", std::nullopt},
                           {std::nullopt, "无题", "科举试题", std::nullopt}},
                          path);
    QuestionStore store(path);
    ASSERT_EQ(store.refresh(), QuestionStore::Status::Ok);
    // NULL is LIKE nothing: the last row has neither key.
    EXPECT_EQ(store.search("", std::nullopt), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(store.search("kj", std::nullopt), (std::vector<std::size_t>{0}));
    EXPECT_FALSE((*store.rows())[1].answer);
}

TEST(QuestionStore, MatchedSpans) {
    using Spans = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(QuestionStore::matchedSpans("金鱼是由哪种鱼", "鱼"), (Spans{{3, 3}}));
    EXPECT_EQ(QuestionStore::matchedSpans("金鱼是由哪种鱼", "鱼%鱼"), (Spans{{3, 3}, {18, 3}}));
    EXPECT_EQ(QuestionStore::matchedSpans("Tom's cat", "S_C"), (Spans{{4, 3}}));
    EXPECT_TRUE(QuestionStore::matchedSpans("金鱼", "").empty());
    // A match by readings marks the characters it covers.
    EXPECT_EQ(QuestionStore::matchedSpans("金鱼是由", "jy"), (Spans{{0, 6}}));
    EXPECT_EQ(QuestionStore::matchedSpans("万里长城", "chang c"), (Spans{{6, 6}}));
    EXPECT_EQ(QuestionStore::matchedSpans("万里长城", "长c"), (Spans{{6, 6}}));
    EXPECT_TRUE(QuestionStore::matchedSpans("金鱼", "jyx").empty());
}

}  // namespace

namespace {

// Full pinyin, initials, blanks and characters mixed, every reading of a polyphonic
// character; text matches first, then matches from the first character, then the rest.
TEST(QuestionStore, FindsByEveryReadingRanked) {
    TempFolder folder;
    const std::string path = folder.file("Conversion.dat");
    std::vector<QuestionRow> rows;
    for (const char* q : {"重点是什么", "重叠的图形", "万里长城在哪里", "长城", "城门",
                          "长江是我国最长的河流吗", "拼音cheng是什么"})
        rows.push_back({q, "答", "科举试题", std::nullopt});
    rows.push_back({"只有键", "答", "三界书院", "XYZCC"});
    quiz_test::writeStore(rows, path);
    QuestionStore store(path);
    ASSERT_EQ(store.refresh(), QuestionStore::Status::Ok) << store.error();
    using Found = std::vector<std::string>;
    const Found greatWall = {"长城", "万里长城在哪里"};
    struct Case {
        const char* keyword;
        Found found;
    } cases[] = {
        {"changcheng", greatWall},
        {"chang cheng", greatWall},
        {"Chang'Cheng", greatWall},
        {"changc", greatWall},
        {"长c", greatWall},
        {"长cheng", greatWall},
        // 最长 read cuo chang as well; the key of the last row ends in CC.
        {"cc", {"长城", "万里长城在哪里", "长江是我国最长的河流吗", "只有键"}},
        // 重 as zhong and chong; 长的 read zhang de and chang de.
        {"zd", {"重点是什么", "重叠的图形", "长江是我国最长的河流吗"}},
        {"cd", {"重点是什么", "重叠的图形", "长江是我国最长的河流吗"}},
        {"chongdie", {"重叠的图形"}},
        {"zhongd", {"重点是什么", "重叠的图形"}},
        // The text itself first.
        {"cheng", {"拼音cheng是什么", "城门", "万里长城在哪里", "长城"}},
        {"长城", {"万里长城在哪里", "长城"}},
        {"chengx", {}},
        {"changchengx", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(questions(store, store.search(c.keyword, std::nullopt)), c.found) << c.keyword;
    // Typed one key after another, each keystroke searching among the last hits.
    for (std::string typed : {"c", "ch", "cha", "chan", "chang", "changc", "changch"})
        store.search(typed, std::nullopt);
    EXPECT_EQ(questions(store, store.search("changche", std::nullopt)), greatWall);
    // A keyword searched as text only, then one that can match by readings too.
    for (std::string typed : {"'", " "}) {
        store.search(typed, std::nullopt);
        EXPECT_EQ(questions(store, store.search(typed + "changc", std::nullopt)), greatWall);
    }
    EXPECT_EQ(questions(store, store.search("zd", std::string("三界书院"))), Found{});
}

}  // namespace
