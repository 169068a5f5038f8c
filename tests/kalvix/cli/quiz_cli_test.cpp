#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "kalvix/core/quiz/my_ado_conn.h"
#include "kalvix/core/quiz/question_csv.h"
#include "kalvix/core/quiz/quiz_page.h"
#include "support/calc_process.h"
#include "support/files.h"

namespace {

using kalvix::test::runCalc;
using nlohmann::json;

std::string fixture(const std::string& name) {
    return std::string(KALVIX_TEST_DATA) + "/quiz/" + name;
}

// kalvix-quizdb is built beside kalvix-calc's folder.
std::string quizdb() {
    return (std::filesystem::path(KALVIX_CALC).parent_path().parent_path() / "quizdb" /
            "kalvix-quizdb")
        .string();
}

kalvix::test::CalcRun runQuizdb(const std::vector<std::string>& args) {
    std::string cmd = kalvix::test::shellQuote(quizdb());
    for (const auto& a : args)
        cmd += " " + kalvix::test::shellQuote(a);
    cmd += " 2>&1";
    kalvix::test::CalcRun r;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            r.out.append(buf, n);
        const int status = pclose(p);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return r;
}

class QuizCli : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(folder.empty());
        store = folder + "/Conversion.dat";
        auto r = runQuizdb({fixture("questions.csv"), store});
        ASSERT_EQ(r.exitCode, 0) << r.out;
    }
    json run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--store=" + store, "答题器"});
        auto r = runCalc(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.exitCode == 0 ? json::parse(r.out) : json();
    }
    test_support::TempDir temp;
    std::string folder = temp.path();
    std::string store;
};

TEST_F(QuizCli, SearchesChoosesAndCopies) {
    json j = run({"关键字=明月"});
    EXPECT_EQ(j["结果"], json::parse(R"([["“床前明月光”的作者是", "李白"]])"));
    EXPECT_EQ(j["messages"], json::parse(R"([{"where": "status", "text": "找到 1 道题目"}])"));

    j = run({"NPC查询=1", "关键字=的", "结果.选择=#1", "复制答案"});
    EXPECT_EQ(j["结果"].size(), 2u);
    EXPECT_EQ(j["详细"], "题目：“诗仙”指的是\n答案：李白");
    EXPECT_EQ(j["剪贴板"], "题目：“诗仙”指的是\n答案：李白\n" + kalvix::QuizPage::sourceLine());
    EXPECT_EQ(j["messages"].back(), json::parse(R"({"where": "box", "text": "题目答案已复制"})"));

    // A category chosen after the keyword waits for the next change.
    j = run({"关键字=的", "钓鱼查询=1"});
    EXPECT_GT(j["结果"].size(), 2u);
}

TEST_F(QuizCli, FindsByFullPinyinAndMixedKeywords) {
    const json greatWall = json::parse(
        R"([["长城的东端起点一般认为是", "山海关"], ["明长城的西端终点是", "嘉峪关"]])");
    test_support::writeFile(
        folder + "/wall.csv",
        "Question,answer,QType,PinYin\n长城的东端起点一般认为是,山海关,帮派迷宫,\n"
        "长江是我国最长的河流吗,是,科举试题,\n明长城的西端终点是,嘉峪关,帮派迷宫,\n");
    auto made = runQuizdb({folder + "/wall.csv", store + ".wall"});
    ASSERT_EQ(made.exitCode, 0) << made.out;
    std::filesystem::rename(store + ".wall", store);
    for (const char* keyword : {"changcheng", "chang cheng", "changc", "长c"}) {
        const json j = run({std::string("关键字=") + keyword});
        EXPECT_EQ(j["结果"], greatWall) << keyword;
    }
    // Typed one key at a time, as the window sends them.
    const json j = run(
        {"关键字=c", "关键字=ch", "关键字=cha", "关键字=chan", "关键字=chang", "关键字=changc"});
    EXPECT_EQ(j["结果"], greatWall);
}

TEST_F(QuizCli, OddKeywordsAreSearchedLiterally) {
    struct Case {
        const char* keyword;
        std::size_t found;
    } cases[] = {{"'", 1},           {"Tom's", 1}, {"\"", 1}, {";", 1},        {"--", 1},
                 {"' OR '1'='1", 0}, {"%", 18},    {"_", 18}, {"\x01\x02", 0}, {"\xff", 0}};
    for (const Case& c : cases) {
        json j = run({std::string("关键字=") + c.keyword});
        EXPECT_EQ(j["结果"].size(), c.found) << c.keyword;
        ASSERT_EQ(j["messages"].size(), 1u) << c.keyword;
        EXPECT_EQ(j["messages"][0]["where"], "status") << c.keyword;
    }
    json j = run({"关键字=" + std::string(10000, 'k')});
    EXPECT_TRUE(j["结果"].empty());
}

TEST_F(QuizCli, MissingAndDamagedStores) {
    auto r = runCalc({"--store=" + folder + "/none.dat", "答题器", "关键字=a", "关键字=b"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(json::parse(r.out)["messages"],
              json::parse(R"([{"where": "box", "text": "题库不存在"},
                              {"where": "box", "text": "题库不存在"}])"));
    FILE* f = std::fopen(store.c_str(), "wb");
    std::fputs("damaged", f);
    std::fclose(f);
    json j = run({"关键字=a"});
    EXPECT_EQ(j["messages"], json::parse(R"([{"where": "box",
                                              "text": "file is encrypted or is not a database"}])"));
}

// Stores from strangers: invalid UTF-8 in a row prints as U+FFFD, a view in place of the
// table is refused with its message; the output is JSON either way.
TEST_F(QuizCli, CraftedStoresPrintValidJson) {
    {
        kalvix::MyAdoConn writer;
        ASSERT_TRUE(writer.open(folder + "/odd.dat", true)) << writer.lastError();
        ASSERT_TRUE(writer.query("CREATE TABLE Conversion (Question, answer, QType, PinYin)"));
        ASSERT_TRUE(
            writer.query("INSERT INTO Conversion VALUES (CAST(x'41FF' AS TEXT), "
                         "CAST(x'E6B5' AS TEXT), '科举试题', 'A')"));
        ASSERT_TRUE(writer.open(folder + "/view.dat", true)) << writer.lastError();
        ASSERT_TRUE(
            writer.query("CREATE VIEW Conversion AS SELECT 1 AS Question, 2 AS answer, "
                         "3 AS QType, 4 AS PinYin"));
    }
    store = folder + "/odd.dat";
    json j = run({"关键字=a", "结果.选择=#0"});
    EXPECT_EQ(j["结果"], json::parse(R"([["A\ufffd", "\ufffd\ufffd"]])"));
    EXPECT_EQ(j["详细"], std::string("题目：A\uFFFD\n答案：\uFFFD\uFFFD"));
    store = folder + "/view.dat";
    j = run({"关键字=a"});
    EXPECT_EQ(j["messages"],
              json({{{"where", "box"}, {"text", kalvix::MyAdoConn::kNotPlainTable}}}));
}

TEST_F(QuizCli, TheBuiltSampleStoreIsBesideTheProgram) {
    auto r = runCalc({"答题器", "关键字=床前明月光"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(json::parse(r.out)["结果"], json::parse(R"([["“床前明月光”的作者是", "李白"]])"));
    // Every category of the sample has questions.
    for (int c = 0; c < 9; ++c) {
        const std::string name = kalvix::QuizPage::categoryNames()[static_cast<std::size_t>(c)];
        r = runCalc({"答题器", name + "=1", "关键字="});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_GE(json::parse(r.out)["结果"].size(), 25u) << name;
    }
}

TEST_F(QuizCli, QuizdbRefusesMalformedListsAndWritesNothing) {
    auto help = runQuizdb({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: kalvix-quizdb QUESTIONS.csv OUT.dat"), std::string::npos);
    EXPECT_EQ(runQuizdb({}).exitCode, 2);

    const std::string out = folder + "/new.dat";
    auto r = runQuizdb({fixture("bad_quote.csv"), out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("line 3: unterminated quoted field"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(out));

    // A refused list leaves an existing store as it was.
    r = runQuizdb({fixture("bad_fields.csv"), store});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(run({"关键字=明月"})["结果"].size(), 1u);
}

}  // namespace
