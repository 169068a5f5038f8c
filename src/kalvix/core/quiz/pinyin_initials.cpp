#include "kalvix/core/quiz/pinyin_initials.h"

#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/pinyin_readings.h"

namespace kalvix {

std::string pinyinInitials(std::string_view utf8) {
    std::string out;
    forEachCharacter(cleanText(utf8), [&out](char32_t c, std::size_t, std::size_t) {
        if (c >= 'a' && c <= 'z')
            out += static_cast<char>(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            out += static_cast<char>(c);
        else if (const char initial = pinyinInitial(c))
            out += initial;
    });
    return out;
}

}  // namespace kalvix
