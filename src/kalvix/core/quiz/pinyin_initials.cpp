#include "kalvix/core/quiz/pinyin_initials.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "common/gbk.h"
#include "kalvix/core/quiz/like_pattern.h"

namespace kalvix {
namespace {

// GB2312's level-1 characters (0xB0A1 to 0xD7F9) are in pinyin order: the first code of each
// initial. No syllable begins with i, u or v.
struct Boundary {
    std::uint16_t code;
    char initial;
};
constexpr std::array<Boundary, 23> kLevelOne{{
    {0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'}, {0xB7A2, 'F'},
    {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'}, {0xC0AC, 'L'}, {0xC2E8, 'M'},
    {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'}, {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'},
    {0xCBFA, 'T'}, {0xCDDA, 'W'}, {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'},
}};
constexpr std::uint16_t kLevelOneEnd = 0xD7F9;

// Level-2 characters are ordered by radical and GBK's additions by code, so the ones the
// questions use are listed by code point.
struct Extra {
    char32_t codePoint;
    char initial;
};
constexpr Extra kExtra[] = {
    {0x4E93, 'Q'}, {0x4F58, 'S'}, {0x4FD1, 'Y'}, {0x5366, 'G'}, {0x5624, 'Y'}, {0x5958, 'Z'},
    {0x5A32, 'W'}, {0x5A75, 'C'}, {0x5A77, 'T'}, {0x5AE6, 'C'}, {0x5B09, 'X'}, {0x5C9A, 'L'},
    {0x5D69, 'S'}, {0x5F08, 'Y'}, {0x6607, 'S'}, {0x6775, 'C'}, {0x6809, 'Z'}, {0x6D52, 'H'},
    {0x6DDD, 'F'}, {0x6ED5, 'T'}, {0x6FE1, 'R'}, {0x742A, 'Q'}, {0x745C, 'Y'}, {0x747E, 'J'},
    {0x7487, 'X'}, {0x7490, 'L'}, {0x74A7, 'B'}, {0x77BF, 'Q'}, {0x796F, 'Z'}, {0x7AFD, 'Y'},
    {0x7B20, 'L'}, {0x7FB2, 'X'}, {0x7FBF, 'Y'}, {0x80E4, 'Y'}, {0x8191, 'B'}, {0x853A, 'L'},
    {0x86AA, 'D'}, {0x8713, 'T'}, {0x873B, 'Q'}, {0x8748, 'G'}, {0x874C, 'K'}, {0x87C0, 'S'},
    {0x87CB, 'X'}, {0x8862, 'Q'}, {0x8C5A, 'T'}, {0x8F7C, 'S'}, {0x9016, 'T'}, {0x9088, 'M'},
    {0x9131, 'P'}, {0x94B0, 'Y'}, {0x9619, 'Q'}, {0x9889, 'J'}, {0x9A9E, 'Q'}, {0x9C82, 'F'},
    {0x9C88, 'L'}, {0x9C8B, 'F'}, {0x9CA2, 'L'}, {0x9CAB, 'J'}, {0x9CD9, 'Y'}, {0x9CDC, 'G'},
    {0x9E49, 'W'}, {0x9E66, 'Y'}, {0x9E6C, 'Y'}, {0x9E6D, 'L'},
};

char32_t decode(std::string_view s) {
    const auto c = static_cast<unsigned char>(s[0]);
    const unsigned mask = s.size() == 2 ? 0x1F : s.size() == 3 ? 0x0F : 0x07;
    char32_t cp = c & mask;
    for (std::size_t i = 1; i < s.size(); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    return cp;
}

}  // namespace

char levelOneInitial(std::uint16_t gbkCode) {
    if (gbkCode < kLevelOne[0].code || gbkCode > kLevelOneEnd)
        return 0;
    auto it = std::upper_bound(kLevelOne.begin(), kLevelOne.end(), gbkCode,
                               [](std::uint16_t code, const Boundary& b) { return code < b.code; });
    return std::prev(it)->initial;
}

std::string pinyinInitials(std::string_view utf8) {
    const std::string text = cleanText(utf8);
    const std::string gbk = common::utf8ToGbk(text);
    std::string out;
    std::size_t g = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
            ++n;
        const std::string_view ch(text.data() + i, n);
        i += n;
        // The GBK text is walked alongside: one byte for ASCII and for what GBK lacks ('?'),
        // two for the rest.
        const auto lead = g < gbk.size() ? static_cast<unsigned char>(gbk[g]) : 0;
        const bool twoBytes = n > 1 && lead >= 0x81 && g + 1 < gbk.size();
        std::uint16_t code = 0;
        if (twoBytes)
            code = static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(gbk[g + 1]));
        g += twoBytes ? 2 : 1;
        if (n == 1) {
            const char c = ch[0];
            if (c >= 'a' && c <= 'z')
                out += static_cast<char>(c - 'a' + 'A');
            else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
                out += c;
            continue;
        }
        if (const char initial = levelOneInitial(code)) {
            out += initial;
            continue;
        }
        const char32_t cp = decode(ch);
        auto it = std::lower_bound(std::begin(kExtra), std::end(kExtra), cp,
                                   [](const Extra& e, char32_t v) { return e.codePoint < v; });
        if (it != std::end(kExtra) && it->codePoint == cp)
            out += it->initial;
    }
    return out;
}

}  // namespace kalvix
