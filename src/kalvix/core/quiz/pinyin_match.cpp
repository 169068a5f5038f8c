#include "kalvix/core/quiz/pinyin_match.h"

#include <bit>

#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/pinyin_readings.h"

namespace kalvix {
namespace {

// A token: the letters its readings begin with (26 bits), the first reading (22 bits), the
// number of readings (7 bits), the byte length (3 bits).
constexpr unsigned kLettersShift = 32;
constexpr unsigned kFirstShift = 10;
constexpr unsigned kCountShift = 3;

std::uint64_t bit(std::size_t p) {
    return std::uint64_t{1} << p;
}

}  // namespace

PinyinMatcher::PinyinMatcher(std::string_view keyword) {
    for (char c : foldCase(keyword))
        if (c != ' ' && c != '\'' && c != '\t')
            key_ += c;
    if (!usable())
        return;
    const std::size_t m = key_.size();
    const std::size_t syllables = pinyinSyllableCount();
    reach_.assign(syllables * m, 0);
    for (std::size_t s = 0; s < syllables; ++s) {
        const std::string_view syllable = pinyinSyllable(static_cast<std::uint16_t>(s));
        for (std::size_t p = 0; p < m; ++p) {
            std::uint64_t reach = 0;
            for (std::size_t l = 0; l < syllable.size() && p + l < m && key_[p + l] == syllable[l];
                 ++l)
                reach |= bit(p + l + 1);
            reach_[s * m + p] = reach;
        }
    }
}

void PinyinMatcher::tokenize(std::string_view folded, std::vector<Token>& out) {
    forEachCharacter(folded, [&out](char32_t c, std::size_t, std::size_t length) {
        const PinyinReadingRange r = pinyinReadingRange(c);
        Token letters = 0;
        if (c >= 'a' && c <= 'z')
            letters |= Token{1} << (c - 'a');
        for (std::uint32_t k = 0; k < r.count; ++k)
            letters |= Token{1} << (pinyinSyllable(pinyinReadingList()[r.first + k])[0] - 'a');
        out.push_back(letters << kLettersShift | Token{r.first} << kFirstShift |
                      Token{r.count} << kCountShift | static_cast<Token>(length));
    });
}

std::uint64_t PinyinMatcher::advance(std::uint64_t states, Token t, std::string_view ch) const {
    const std::size_t m = key_.size();
    const std::uint16_t* readings = pinyinReadingList() + ((t >> kFirstShift) & 0x3FFFFFu);
    const auto count = static_cast<unsigned>((t >> kCountShift) & 0x7Fu);
    const auto letters = static_cast<std::uint32_t>(t >> kLettersShift);
    std::uint64_t next = 0;
    while (states) {
        const auto p = static_cast<std::size_t>(std::countr_zero(states));
        states &= states - 1;
        if (p >= m)
            continue;
        if (key_[p] == ch[0] && key_.compare(p, ch.size(), ch) == 0)
            next |= bit(p + ch.size());
        // Most characters have no reading that begins with the key's letter here.
        const char k = key_[p];
        if (k < 'a' || k > 'z' || !((letters >> (k - 'a')) & 1u))
            continue;
        for (unsigned r = 0; r < count; ++r)
            next |= reach_[readings[r] * m + p];
    }
    return next;
}

bool PinyinMatcher::matches(std::span<const Token> tokens, std::string_view folded,
                            bool anchored) const {
    if (!usable())
        return false;
    const std::uint64_t done = bit(key_.size());
    std::uint64_t states = anchored ? 1 : 0;
    std::size_t offset = 0;
    for (const Token t : tokens) {
        if (!anchored)
            states |= 1;
        const std::size_t n = tokenLength(t);
        states = advance(states, t, folded.substr(offset, n));
        offset += n;
        if (states & done)
            return true;
        if (anchored && !states)
            return false;
    }
    return false;
}

std::optional<std::pair<std::size_t, std::size_t>> PinyinMatcher::span(
    std::string_view folded) const {
    if (!usable())
        return std::nullopt;
    std::vector<Token> tokens;
    tokenize(folded, tokens);
    const std::uint64_t done = bit(key_.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < tokens.size(); start += tokenLength(tokens[i]), ++i) {
        std::uint64_t states = 1;
        std::size_t end = start;
        for (std::size_t j = i; j < tokens.size() && states; ++j) {
            const std::size_t n = tokenLength(tokens[j]);
            states = advance(states, tokens[j], folded.substr(end, n));
            end += n;
            if (states & done)
                return std::make_pair(start, end - start);
        }
    }
    return std::nullopt;
}

}  // namespace kalvix
