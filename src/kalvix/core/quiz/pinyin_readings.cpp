#include "kalvix/core/quiz/pinyin_readings.h"

#include <algorithm>
#include <iterator>

namespace kalvix {
namespace {

struct HanEntry {
    char32_t codePoint;
    std::uint32_t first;
    std::uint8_t count;
};

#include "kalvix/pinyin_table.inc"

}  // namespace

PinyinReadingRange pinyinReadingRange(char32_t c) {
    // Below the first ideograph (ASCII, punctuation, kana) nothing has a reading.
    if (c < kHanEntries[0].codePoint)
        return {};
    const auto* it =
        std::lower_bound(std::begin(kHanEntries), std::end(kHanEntries), c,
                         [](const HanEntry& e, char32_t v) { return e.codePoint < v; });
    if (it == std::end(kHanEntries) || it->codePoint != c)
        return {};
    return {it->first, it->count};
}

const std::uint16_t* pinyinReadingList() {
    return kReadingList;
}

std::span<const std::uint16_t> pinyinReadingIds(char32_t c) {
    const PinyinReadingRange r = pinyinReadingRange(c);
    return {kReadingList + r.first, r.count};
}

std::string_view pinyinSyllable(std::uint16_t id) {
    return id < std::size(kSyllables) ? kSyllables[id] : std::string_view();
}

std::size_t pinyinSyllableCount() {
    return std::size(kSyllables);
}

char pinyinInitial(char32_t c) {
    const auto ids = pinyinReadingIds(c);
    if (ids.empty())
        return 0;
    return static_cast<char>(pinyinSyllable(ids.front())[0] - 'a' + 'A');
}

}  // namespace kalvix
