#pragma once
// A question store built in a fresh folder from a CSV fixture or from rows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kalvix/core/quiz/question_csv.h"
#include "support/files.h"

namespace quiz_test {

using test_support::readFile;
using TempFolder = test_support::TempDir;

inline std::string fixture(const std::string& name) {
    return std::string(KALVIX_TEST_DATA) + "/quiz/" + name;
}

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
