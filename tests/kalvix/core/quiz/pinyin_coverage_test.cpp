// Every Han character of GBK against the Unicode Han database that Debian ships: the key's
// initial must be the initial of one of the database's readings of it.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "common/gbk.h"
#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/pinyin_readings.h"

namespace {

// The letter a reading begins with: tone marks sit on vowels and syllabic m and n.
char initialOf(const std::string& reading) {
    static const std::map<std::string, char> kMarked = {
        {"ā", 'a'}, {"á", 'a'}, {"ǎ", 'a'}, {"à", 'a'}, {"ē", 'e'}, {"é", 'e'},
        {"ě", 'e'}, {"è", 'e'}, {"ê", 'e'}, {"ō", 'o'}, {"ó", 'o'}, {"ǒ", 'o'},
        {"ò", 'o'}, {"ḿ", 'm'}, {"ń", 'n'}, {"ň", 'n'}, {"ǹ", 'n'}};
    if (reading.empty())
        return 0;
    const auto c = static_cast<unsigned char>(reading[0]);
    if (c < 0x80)
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (const auto& [marked, letter] : kMarked)
        if (reading.starts_with(marked))
            return letter;
    return 0;
}

// Initials of every reading of kMandarin, kHanyuPinyin and kXHC1983, by code point.
std::map<char32_t, std::set<char>> unihanInitials(const std::string& path) {
    std::map<char32_t, std::set<char>> out;
    const std::string command = (path.ends_with(".bz2") ? "bzcat '" : "cat '") + path + "'";
    FILE* in = popen(command.c_str(), "r");
    if (!in)
        return out;
    char line[4096];
    while (std::fgets(line, sizeof line, in)) {
        std::string s(line);
        if (!s.starts_with("U+"))
            continue;
        const auto tab1 = s.find('\t');
        const auto tab2 = s.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos)
            continue;
        const std::string field = s.substr(tab1 + 1, tab2 - tab1 - 1);
        if (field != "kMandarin" && field != "kHanyuPinyin" && field != "kXHC1983")
            continue;
        const auto cp = static_cast<char32_t>(std::stoul(s.substr(2, tab1 - 2), nullptr, 16));
        // Readings follow a blank, a ':' or a ',' (or the tab itself).
        std::string value = s.substr(tab2 + 1);
        std::string reading;
        for (std::size_t i = 0; i <= value.size(); ++i) {
            const char c = i < value.size() ? value[i] : ' ';
            if (c == ' ' || c == ',' || c == ':' || c == '\n') {
                if (!reading.empty() && !(reading[0] >= '0' && reading[0] <= '9'))
                    if (const char initial = initialOf(reading))
                        out[cp].insert(initial);
                reading.clear();
            } else {
                reading += c;
            }
        }
    }
    pclose(in);
    return out;
}

TEST(PinyinCoverage, GbkHanCharactersAgainstTheUnicodeHanDatabase) {
    std::string path = "/usr/share/unicode/Unihan_Readings.txt";
    if (!std::filesystem::exists(path))
        path += ".bz2";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no Unihan_Readings.txt (package unicode-data)";
    const auto unihan = unihanInitials(path);
    ASSERT_GT(unihan.size(), 20000u);
    int han = 0, right = 0;
    std::string wrong;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const char gbk[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const auto utf8 = common::gbkToUtf8Strict(std::string_view(gbk, 2));
            if (!utf8)
                continue;
            char32_t cp = 0;
            kalvix::forEachCharacter(*utf8,
                                     [&cp](char32_t c, std::size_t, std::size_t) { cp = c; });
            const auto it = unihan.find(cp);
            if (it == unihan.end())
                continue;  // not Han, or Han without a reading
            ++han;
            const char initial = kalvix::pinyinInitial(cp);
            if (initial && it->second.count(static_cast<char>(initial - 'A' + 'a')))
                ++right;
            else if (wrong.size() < 200)
                wrong += *utf8;
        }
    std::printf("GBK Han characters with a reading: %d, initial right: %d (%.3f %%)\n", han, right,
                100.0 * right / han);
    EXPECT_GT(han, 20800);
    EXPECT_GE(right * 1000, han * 995) << "wrong or missing: " << wrong;
}

}  // namespace
