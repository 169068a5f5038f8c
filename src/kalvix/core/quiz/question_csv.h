#pragma once
// Question lists as CSV (UTF-8, RFC 4180 quoting, the header Question,answer,QType,PinYin),
// and the store file built from one.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kalvix/core/quiz/question_store.h"

namespace kalvix {

struct CsvResult {
    std::vector<QuestionRow> rows;
    std::string error;  // "line N: ..." when the text is refused; rows are then empty
    bool ok() const { return error.empty(); }
};

// Reads the whole text. An empty PinYin is computed from the question's characters.
CsvResult readQuestionCsv(std::string_view text);

// Writes the rows as a new store at path (replacing a file there only once the new one is
// complete); the engine's error text on failure, with nothing left behind.
std::optional<std::string> writeQuestionStore(const std::vector<QuestionRow>& rows,
                                              const std::string& path);

}  // namespace kalvix
