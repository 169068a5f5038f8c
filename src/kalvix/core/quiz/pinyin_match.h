#pragma once
// A keyword held against the pinyin readings of a question's characters: each character is
// matched by itself or by any beginning of one of its readings, so "changcheng",
// "chang cheng", "changc", "长c" and "cc" all find 长城, and a polyphonic character by every
// reading (重点 by "zd" and "cd"). Blanks and apostrophes of the keyword only part syllables.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvix {

class PinyinMatcher {
  public:
    // One character of a text: its readings in pinyinReadingList(), its byte length, and the
    // letters its readings (or an ASCII letter itself) begin with.
    using Token = std::uint64_t;
    static constexpr std::size_t kMaxKey = 63;

    // keyword: cleaned UTF-8, any case.
    explicit PinyinMatcher(std::string_view keyword);

    // False for a keyword that is empty (or only blanks) or longer than kMaxKey bytes without
    // them: such a keyword is searched as text only.
    bool usable() const { return !key_.empty() && key_.size() <= kMaxKey; }
    // The keyword as matched: folded, without blanks and apostrophes.
    const std::string& key() const { return key_; }

    // The characters of a folded, cleaned text, appended to out.
    static void tokenize(std::string_view folded, std::vector<Token>& out);
    static std::size_t tokenLength(Token t) { return static_cast<std::size_t>(t & 7u); }
    // Whether the keyword matches a run of the text's characters; anchored: a run that begins
    // with the first one.
    bool matches(std::span<const Token> tokens, std::string_view folded, bool anchored) const;
    // The byte range of the leftmost (then shortest) run the keyword matches, if any.
    std::optional<std::pair<std::size_t, std::size_t>> span(std::string_view folded) const;

  private:
    std::uint64_t advance(std::uint64_t states, Token t, std::string_view ch) const;

    std::string key_;
    // For syllable s and keyword position p, reach_[s * key_.size() + p] holds the positions
    // past every non-empty common beginning of the syllable and key_.substr(p).
    std::vector<std::uint64_t> reach_;
};

}  // namespace kalvix
