#pragma once
// The generated questions and keystrokes of the 答题器 benchmarks, shared so that every
// program measures the same searches.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/pinyin_initials.h"
#include "kalvix/core/quiz/pinyin_readings.h"
#include "kalvix/core/quiz/question_csv.h"
#include "kalvix/core/quiz/quiz_page.h"

namespace quiz_bench {

inline double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[i];
}

inline std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
            ++n;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

// Questions of 8 to 20 characters drawn from common characters, in the nine categories.
inline std::vector<kalvix::QuestionRow> generate(std::size_t count, std::mt19937& rng) {
    static const std::vector<std::string> pool = characters(
        "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工"
        "也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小"
        "物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日那社义事平形"
        "相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建"
        "月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长"
        "求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战");
    static const char* const types[] = {"元宵灯谜", "科举填填乐", "子女教导",
                                        "四门绝阵", "帮派迷宫",   "三界书院",
                                        "钓鱼查询", "科举试题",   "NPC查询"};
    std::uniform_int_distribution<std::size_t> length(8, 20), pick(0, pool.size() - 1), type(0, 8);
    std::vector<kalvix::QuestionRow> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string q, a;
        for (std::size_t n = length(rng); n > 0; --n)
            q += pool[pick(rng)];
        for (int n = 0; n < 3; ++n)
            a += pool[pick(rng)];
        rows.push_back({q, a, std::string(types[type(rng)]), kalvix::pinyinInitials(q)});
    }
    return rows;
}

// What a player types: the first one to four characters of a piece of a question, of its
// pinyin key, and the full pinyin of its first two characters, one keystroke at a time, half
// of them within a category.
struct Keystroke {
    std::string keyword;
    int category;
};

inline std::vector<Keystroke> keystrokes(const std::vector<kalvix::QuestionRow>& rows,
                                         std::mt19937& rng) {
    std::vector<Keystroke> out;
    std::uniform_int_distribution<std::size_t> row(0, rows.size() - 1);
    std::uniform_int_distribution<int> category(0, 17);
    for (int word = 0; word < 60; ++word) {
        const kalvix::QuestionRow& r = rows[row(rng)];
        int c = category(rng);
        c = c > 8 ? kalvix::QuizPage::kAllCategories : c;
        const std::vector<std::string> chars = characters(*r.question);
        const std::size_t from =
            std::uniform_int_distribution<std::size_t>(0, chars.size() - 4)(rng);
        std::string typed;
        for (std::size_t k = 0; k < 4; ++k) {
            typed.append(chars[from + k]);
            out.push_back({typed, c});
        }
        const std::string& key = *r.pinyin;
        for (std::size_t k = 1; k <= 4; ++k)
            out.push_back({key.substr(from, k), c});
        // And the full pinyin of two characters, letter by letter.
        std::string full;
        for (std::size_t k = 0; k < 2; ++k) {
            char32_t cp = 0;
            kalvix::forEachCharacter(chars[from + k],
                                     [&cp](char32_t ch, std::size_t, std::size_t) { cp = ch; });
            const auto ids = kalvix::pinyinReadingIds(cp);
            if (ids.empty())
                break;
            for (char letter : kalvix::pinyinSyllable(ids.front())) {
                full += letter;
                out.push_back({full, c});
            }
        }
    }
    return out;
}

}  // namespace quiz_bench
