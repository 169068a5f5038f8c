// The quiz store's outside input: question lists (CSV), the pinyin keys computed from their
// questions, and the keywords a player types, whose memory match must agree with a plain
// LIKE over characters.
//   first byte 0: CSV text; 1: a question for pinyinInitials; 2: keyword '\n' text

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/pinyin_initials.h"
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
        }
    }
    return 0;
}
