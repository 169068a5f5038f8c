// The quiz store's outside input: question lists (CSV), the pinyin keys computed from their
// questions, and the keywords a player types, whose memory match must agree with a plain
// LIKE over characters, and whose match by readings with a plain search over characters.
//   first byte 0: CSV text; 1: a question for pinyinInitials; 2: keyword '\n' text

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/pinyin_initials.h"
#include "kalvix/core/quiz/pinyin_match.h"
#include "kalvix/core/quiz/pinyin_readings.h"
#include "kalvix/core/quiz/question_csv.h"

namespace {

std::u32string decode(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
        for (std::size_t k = 1; k < n && i + k < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out += cp;
        i += n;
    }
    return out;
}

// '%' + keyword + '%' LIKE text, character by character, by dynamic programming.
bool reference(std::u32string keyword, const std::u32string& text) {
    const std::u32string p = U"%" + keyword + U"%";
    std::vector<std::vector<bool>> m(p.size() + 1, std::vector<bool>(text.size() + 1, false));
    m[0][0] = true;
    for (std::size_t i = 1; i <= p.size(); ++i)
        for (std::size_t j = 0; j <= text.size(); ++j) {
            const char32_t pc = p[i - 1];
            if (pc == U'%')
                m[i][j] = m[i - 1][j] || (j > 0 && m[i][j - 1]);
            else if (j > 0)
                m[i][j] = m[i - 1][j - 1] && (pc == U'_' || pc == text[j - 1]);
        }
    return m[p.size()][text.size()];
}

// Whether key matches a run of text's characters, each character taken as itself or as a
// non-empty beginning of one of its readings, by trying every start and split.
bool readingReference(const std::string& key, const std::string& text) {
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
            ++n;
        chars.push_back(text.substr(i, n));
        i += n;
    }
    const std::u32string cps = decode(text);
    // from[k][p]: the run from character k can match key from position p to its end.
    std::vector<std::vector<bool>> from(chars.size() + 1, std::vector<bool>(key.size() + 1));
    for (std::size_t k = chars.size() + 1; k-- > 0;)
        for (std::size_t p = key.size() + 1; p-- > 0;) {
            if (p == key.size()) {
                from[k][p] = true;
                continue;
            }
            if (k == chars.size())
                continue;
            bool ok =
                key.compare(p, chars[k].size(), chars[k]) == 0 && from[k + 1][p + chars[k].size()];
            for (std::uint16_t id : kalvix::pinyinReadingIds(cps[k])) {
                const std::string_view syl = kalvix::pinyinSyllable(id);
                for (std::size_t l = 1; !ok && l <= syl.size() && p + l <= key.size(); ++l)
                    ok = key.compare(p, l, syl.substr(0, l)) == 0 && from[k + 1][p + l];
            }
            from[k][p] = ok;
        }
    for (std::size_t k = 0; k < chars.size(); ++k)
        if (from[k][0])
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
        case 0: {
            const kalvix::CsvResult csv = kalvix::readQuestionCsv(input);
            for (const kalvix::QuestionRow& r : csv.rows)
                for (const kalvix::Cell* c : {&r.question, &r.answer, &r.type, &r.pinyin})
                    if (!*c || kalvix::cleanText(**c) != **c)
                        std::abort();
            break;
        }
        case 1:
            for (char c : kalvix::pinyinInitials(input))
                if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
                    std::abort();
            break;
        default: {
            const std::size_t cut = input.find('\n');
            if (cut == std::string_view::npos || input.size() > 400)
                break;
            const std::string keyword = kalvix::foldCase(kalvix::cleanText(input.substr(0, cut)));
            const std::string text = kalvix::foldCase(kalvix::cleanText(input.substr(cut + 1)));
            if (kalvix::LikePattern(keyword).matches(text) !=
                reference(decode(keyword), decode(text)))
                std::abort();
            const kalvix::PinyinMatcher pinyin(keyword);
            if (!pinyin.usable())
                break;
            std::vector<kalvix::PinyinMatcher::Token> tokens;
            kalvix::PinyinMatcher::tokenize(text, tokens);
            const bool found = pinyin.matches(tokens, text, false);
            const auto span = pinyin.span(text);
            if (found != readingReference(pinyin.key(), text) || found != span.has_value() ||
                (span && span->first + span->second > text.size()))
                std::abort();
        }
    }
    return 0;
}
