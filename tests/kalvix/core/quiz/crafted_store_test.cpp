// Stores a stranger could hand around: made through the same engine and password as a real
// one, each must give its message (or its rows) within a second and leave nothing beside it.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "kalvix/core/quiz/my_ado_conn.h"
#include "kalvix/core/quiz/question_store.h"
#include "quiz_test_support.h"

namespace {

using kalvix::MyAdoConn;
using kalvix::QuestionStore;

constexpr const char* kTable = "CREATE TABLE Conversion (Question, answer, QType, PinYin)";
constexpr const char* kRow =
    "INSERT INTO Conversion VALUES ('明月几时有', '苏轼', '科举试题', 'MYJSY')";

struct Crafted {
    const char* name;
    std::vector<std::string> sql;  // run on a new store; none: raw is the file
    std::string raw;
    QuestionStore::Status status;
    std::string error;                   // with Failed
    std::vector<std::string> questions;  // with Ok
};

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    return names;
}

TEST(CraftedStore, GivesItsMessageOrItsRowsAndLeavesNothingBesideIt) {
    const auto Ok = QuestionStore::Status::Ok;
    const auto Failed = QuestionStore::Status::Failed;
    const Crafted cases[] = {
        {"recursive view",
         {"CREATE VIEW Conversion AS WITH RECURSIVE c(Question, answer, QType, PinYin) AS "
          "(SELECT 'x', 'y', '科举试题', '' UNION ALL SELECT Question || Question, answer, QType, "
          "PinYin FROM c) SELECT * FROM c"},
         {},
         Failed,
         MyAdoConn::kNotPlainTable,
         {}},
        {"counting view",
         {"CREATE VIEW Conversion AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM "
          "n) SELECT i AS Question, i AS answer, '' AS QType, '' AS PinYin FROM n"},
         {},
         Failed,
         MyAdoConn::kNotPlainTable,
         {}},
        {"zeroblob view",
         {"CREATE VIEW Conversion AS SELECT zeroblob(1000000000) AS Question, '' AS answer, '' AS "
          "QType, '' AS PinYin"},
         {},
         Failed,
         MyAdoConn::kNotPlainTable,
         {}},
        {"view over a function",
         {"CREATE VIEW Conversion AS SELECT hex(fts3_tokenizer('simple')) AS Question, '' AS "
          "answer, '' AS QType, '' AS PinYin"},
         {},
         Failed,
         MyAdoConn::kNotPlainTable,
         {}},
        {"virtual table",
         {"CREATE VIRTUAL TABLE Conversion USING fts3(Question, answer, QType, PinYin)"},
         {},
         Failed,
         MyAdoConn::kNotPlainTable,
         {}},
        {"table beside a view",
         {kTable, kRow, "CREATE VIEW leak AS SELECT hex(fts3_tokenizer('simple')) AS Question"},
         {},
         Failed,
         MyAdoConn::kExtraObjects,
         {}},
        {"trigger",
         {kTable, kRow, "CREATE TRIGGER t AFTER INSERT ON Conversion BEGIN SELECT 1; END"},
         {},
         Failed,
         MyAdoConn::kExtraObjects,
         {}},
        {"index on an expression",
         {kTable, kRow, "CREATE INDEX i ON Conversion (length(Question))"},
         {},
         Failed,
         MyAdoConn::kExtraObjects,
         {}},
        {"missing column",
         {"CREATE TABLE Conversion (Question, answer, QType)"},
         {},
         Failed,
         MyAdoConn::kMissingColumns,
         {}},
        {"another table only",
         {"CREATE TABLE Questions (Question, answer, QType, PinYin)"},
         {},
         Failed,
         MyAdoConn::kNoTable,
         {}},
        {"huge value",
         {kTable, "INSERT INTO Conversion VALUES (hex(zeroblob(50000)), 'a', '科举试题', '')"},
         {},
         Failed,
         MyAdoConn::kTooLong,
         {}},
        {"invalid UTF-8",
         {kTable,
          "INSERT INTO Conversion VALUES (CAST(x'41E6FF42' AS TEXT), CAST(x'C0' AS TEXT), "
          "'科举试题', CAST(x'00' AS TEXT))"},
         {},
         Ok,
         {},
         {"A\xEF\xBF\xBD\xEF\xBF\xBD"
          "B"}},
        {"WAL mode", {"PRAGMA journal_mode = WAL", kTable, kRow}, {}, Ok, {}, {"明月几时有"}},
        {"key and unique columns",
         {"CREATE TABLE Conversion (id INTEGER PRIMARY KEY AUTOINCREMENT, Question TEXT UNIQUE, "
          "answer, QType, PinYin)",
          "INSERT INTO Conversion (Question, answer, QType, PinYin) VALUES ('明月几时有', '苏轼', "
          "'科举试题', 'MYJSY')"},
         {},
         Ok,
         {},
         {"明月几时有"}},
        {"not a database",
         {},
         std::string(5000, 'Z'),
         Failed,
         "file is encrypted or is not a database",
         {}},
        {"empty file", {}, std::string(), Failed, MyAdoConn::kNoTable, {}},
    };
    for (const Crafted& c : cases) {
        SCOPED_TRACE(c.name);
        quiz_test::TempFolder folder;
        const std::string path = folder.file("Conversion.dat");
        if (c.sql.empty()) {
            std::ofstream(path, std::ios::binary) << c.raw;
        } else {
            MyAdoConn writer;
            ASSERT_TRUE(writer.open(path, true)) << writer.lastError();
            for (const std::string& sql : c.sql)
                ASSERT_TRUE(writer.query(sql)) << sql << ": " << writer.lastError();
        }
        QuestionStore store(path);
        // Anything that ran longer would stop with the time-out text instead of the expected one.
        store.setTimeLimit(std::chrono::seconds(1));
        EXPECT_EQ(store.refresh(), c.status) << store.error();
        EXPECT_EQ(store.error(), c.error);
        std::vector<std::string> questions;
        for (const auto& row : *store.rows())
            questions.push_back(row.question.value_or("<null>"));
        EXPECT_EQ(questions, c.questions);
        if (c.status == Ok) {
            EXPECT_EQ(store.search("", std::nullopt).size(), c.questions.size());
        }
        EXPECT_EQ(filesIn(folder.file("")), std::vector<std::string>{"Conversion.dat"});
    }
}

TEST(CraftedStore, AReadRunningPastItsTimeStopsWithAMessage) {
    quiz_test::TempFolder folder;
    const std::string path = folder.file("Conversion.dat");
    std::vector<kalvix::QuestionRow> rows;
    for (int i = 0; i < 2000; ++i)
        rows.push_back({"第" + std::to_string(i) + "题", "答", "科举试题", "D"});
    quiz_test::writeStore(rows, path);
    QuestionStore store(path);
    store.setTimeLimit(std::chrono::milliseconds(0));
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Failed);
    EXPECT_EQ(store.error(), MyAdoConn::kTimedOut);
    EXPECT_TRUE(store.rows()->empty());
    // The same file is not read again at the next keystroke.
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Failed);
    EXPECT_EQ(store.error(), MyAdoConn::kTimedOut);
    EXPECT_EQ(store.loads(), 1);
    store.setTimeLimit(MyAdoConn::kTimeLimit);
    EXPECT_EQ(store.refresh(), QuestionStore::Status::Ok) << store.error();
    EXPECT_EQ(store.rows()->size(), rows.size());
}

}  // namespace
