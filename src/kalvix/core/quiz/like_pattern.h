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

// Calls f(codePoint, byteOffset, byteLength) for each character of valid UTF-8 text.
template <class F>
void forEachCharacter(std::string_view text, F f) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
        for (std::size_t k = 1; k < n && i + k < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        const std::size_t length = i + n <= text.size() ? n : text.size() - i;
        f(cp, i, length);
        i += length;
    }
}

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
