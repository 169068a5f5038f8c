#pragma once
// The store's LIKE matching done in memory: '%' + keyword + '%' with '%' standing for any run
// of characters and '_' for exactly one, ASCII letters compared without case, everything else
// literally, exactly as the engine's LIKE without an ESCAPE clause.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvix {

// The text as valid UTF-8 without NUL: invalid bytes and NUL become U+FFFD. Keywords and
// stored texts pass through it, so the engine and the memory match see the same characters.
std::string cleanText(std::string_view text);

// ASCII letters to lower case; other bytes unchanged (byte offsets are kept).
std::string foldCase(std::string_view text);

class LikePattern {
  public:
    // keyword: cleaned, as typed; the pattern is '%' + keyword + '%'.
    explicit LikePattern(std::string_view keyword);

    // True when every non-NULL text matches (the keyword is empty or only '%').
    bool matchesAll() const { return segments_.empty(); }
    // The plain-text pieces of the pattern, between its wildcards (folded).
    std::vector<std::string_view> literals() const;

    // text: folded with foldCase, cleaned. On success each segment's byte range is appended
    // to spans when given.
    bool matches(std::string_view text,
                 std::vector<std::pair<std::size_t, std::size_t>>* spans = nullptr) const;

  private:
    struct Token {
        std::string literal;  // empty: '_'
    };
    using Segment = std::vector<Token>;

    // Byte length of the segment matched at pos, or npos.
    static std::size_t matchAt(const Segment& s, std::string_view text, std::size_t pos);
    static std::size_t find(const Segment& s, std::string_view text, std::size_t from,
                            std::size_t& length);

    std::vector<Segment> segments_;
};

}  // namespace kalvix
