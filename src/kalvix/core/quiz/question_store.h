#pragma once
// The question store of the 答题器 page: "Conversion.dat", kept open and held in memory while
// the file stays as it is, searched with the store's LIKE rules.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/file_io.h"
#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/my_ado_conn.h"
#include "kalvix/core/quiz/pinyin_match.h"

namespace kalvix {

struct QuestionRow {
    Cell question;
    Cell answer;
    Cell type;    // QType
    Cell pinyin;  // PinYin
};

class QuestionStore {
  public:
    enum class Status { Ok, Missing, Failed };

    explicit QuestionStore(std::string path = {}) : path_(std::move(path)) {}

    void setPath(std::string path);
    const std::string& path() const { return path_; }

    // Holds the rows of the file as it is now: opens it the first time and again only when
    // its modification time, size or identity changed. Failed leaves error() with the
    // engine's text or the failed check's and nothing held; the same file is not tried again
    // until it changes, so a store that takes its whole time limit costs it once, not at
    // every keystroke.
    Status refresh();
    const std::string& error() const { return error_; }
    // How many times the file was opened and read.
    int loads() const { return loads_; }
    // Bound on opening and reading the file (and on each query); past it refresh() fails.
    void setTimeLimit(std::chrono::milliseconds limit) {
        timeLimit_ = limit;
        failed_.reset();  // another bound may give another answer
    }

    // The rows held, shared so that a list shown from them outlives a reload.
    using Rows = std::shared_ptr<const std::vector<QuestionRow>>;
    const Rows& rows() const { return rows_; }

    // Positions in *rows() of the rows the keyword finds; with a category, only rows whose
    // QType equals it. Found are rows whose Question or PinYin is LIKE '%keyword%' and, with
    // readings, rows whose question's pinyin readings match it (PinyinMatcher). With readings
    // the rows are ranked: text matches of the question, then matches that begin at its first
    // character (readings, or the PinYin key from its start), then the rest, each in store
    // order; without, they are in store order, exactly as the query forms find them.
    std::vector<std::size_t> search(std::string_view keyword,
                                    const std::optional<std::string>& category,
                                    bool withReadings = true) const;
    // The byte ranges of the question that the keyword matched (for highlighting): the LIKE
    // match of the text, else the run of characters its readings matched. pinyin: the
    // keyword's matcher, when the caller keeps one.
    static std::vector<std::pair<std::size_t, std::size_t>> matchedSpans(
        std::string_view question, std::string_view keyword, const PinyinMatcher* pinyin = nullptr);

    // The same search through the two query forms on the kept connection (the engine scans
    // the file); nullopt on an engine error.
    std::optional<std::vector<QuestionRow>> searchByQuery(
        std::string_view keyword, const std::optional<std::string>& category);
    static const char* queryText(bool oneCategory);

  private:
    using Stamp = common::FileStamp;
    bool load();
    void drop();
    bool rowInCategory(std::size_t row, const std::optional<std::string>& category) const;
    std::string_view field(std::size_t k) const;
    void indexReadings(std::string_view folded, std::uint32_t row);
    // 0, 1 or 2 as search() ranks the row, -1 when the keyword does not find it.
    int rank(std::size_t row, const LikePattern& pattern, const PinyinMatcher* pinyin,
             std::vector<std::pair<std::size_t, std::size_t>>& spans) const;
    std::vector<std::uint32_t> candidates(const LikePattern& pattern,
                                          const PinyinMatcher* pinyin) const;

    std::string path_;
    MyAdoConn conn_;
    std::optional<Stamp> stamp_;
    std::optional<Stamp> failed_;  // the file as it was when it last failed
    std::string error_;
    int loads_ = 0;
    std::chrono::milliseconds timeLimit_ = MyAdoConn::kTimeLimit;

    Rows rows_ = std::make_shared<const std::vector<QuestionRow>>();
    // Folded PinYin and Question of every row, each followed by a NUL, searched as one text;
    // fieldBegin_[2 * row] is where the row's PinYin starts, [2 * row + 1] its Question, and
    // the last entry the end of the text.
    std::string haystack_;
    std::vector<std::size_t> fieldBegin_;
    std::vector<bool> fieldNull_;
    // For every character, the rows whose PinYin or Question holds it (folded), in order: a
    // keyword's rarest character names the few rows worth matching.
    std::unordered_map<char32_t, std::vector<std::uint32_t>> rowsWith_;
    // The characters of every question (PinyinMatcher tokens); row r's are
    // tokens_[tokenBegin_[r]] to tokens_[tokenBegin_[r + 1]].
    std::vector<PinyinMatcher::Token> tokens_;
    std::vector<std::uint32_t> tokenBegin_;
    // For every letter, the rows with a question character read (or written) with it first.
    std::array<std::vector<std::uint32_t>, 26> rowsWithInitial_;
    // The last search: a keyword that begins with it (the next keystroke) can only match
    // rows it matched, so only those are tried again.
    struct LastSearch {
        std::string keyword;  // cleaned and folded
        std::optional<std::string> category;
        bool withReadings = true;
        bool byReadings = false;          // its readings were matched
        std::vector<std::uint32_t> rows;  // what it found, in store order
    };
    mutable std::optional<LastSearch> last_;
};

}  // namespace kalvix
