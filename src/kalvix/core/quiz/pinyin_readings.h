#pragma once
// The toneless pinyin readings of every Han character the Unicode Han database reads, most
// common first, ü written as v ("lv"). The table is generated at build time from that
// database, so characters outside GB2312 and polyphonic ones get every reading.

#include <cstdint>
#include <span>
#include <string_view>

namespace kalvix {

// Syllable numbers of the character's readings; empty when it has none.
std::span<const std::uint16_t> pinyinReadingIds(char32_t c);
// The same as a place in pinyinReadingList(): {first, count}, {0, 0} when it has none.
struct PinyinReadingRange {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};
PinyinReadingRange pinyinReadingRange(char32_t c);
const std::uint16_t* pinyinReadingList();
std::string_view pinyinSyllable(std::uint16_t id);
std::size_t pinyinSyllableCount();

// The upper-case initial of the character's most common reading, or 0.
char pinyinInitial(char32_t c);

}  // namespace kalvix
