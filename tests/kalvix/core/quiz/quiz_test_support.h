#pragma once
// A question store built in a fresh folder from a CSV fixture or from rows.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kalvix/core/quiz/question_csv.h"

namespace quiz_test {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::string fixture(const std::string& name) {
    return std::string(KALVIX_TEST_DATA) + "/quiz/" + name;
}

// A folder removed when the test ends.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quiz-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline std::vector<kalvix::QuestionRow> fixtureRows() {
    const kalvix::CsvResult csv = kalvix::readQuestionCsv(readFile(fixture("questions.csv")));
    EXPECT_TRUE(csv.ok()) << csv.error;
    return csv.rows;
}

inline void writeStore(const std::vector<kalvix::QuestionRow>& rows, const std::string& path) {
    const auto error = kalvix::writeQuestionStore(rows, path);
    ASSERT_FALSE(error) << *error;
}

}  // namespace quiz_test
