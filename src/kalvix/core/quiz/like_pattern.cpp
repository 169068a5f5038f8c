#include "kalvix/core/quiz/like_pattern.h"

#include <cstdint>

#include "common/ascii_text.h"

namespace kalvix {
namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

bool continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at text[i], or 0 when it is not valid.
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80)
        return c == 0 ? 0 : 1;
    std::size_t n;
    std::uint32_t min;
    std::uint32_t cp;
    if ((c & 0xE0) == 0xC0) {
        n = 2, min = 0x80, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3, min = 0x800, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4, min = 0x10000, cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > text.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto d = static_cast<unsigned char>(text[i + k]);
        if (!continuation(d))
            return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

// Byte length of the (valid) UTF-8 character starting at text[i].
std::size_t charLength(std::string_view text, std::size_t i) {
    std::size_t n = 1;
    while (i + n < text.size() && continuation(static_cast<unsigned char>(text[i + n])))
        ++n;
    return n;
}

}  // namespace

std::string cleanText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceLength(text, i);
        if (n == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string foldCase(std::string_view text) {
    return common::asciiLower(text);
}

LikePattern::LikePattern(std::string_view keyword) {
    const std::string folded = foldCase(keyword);
    Segment current;
    std::string literal;
    auto flushLiteral = [&] {
        if (!literal.empty())
            current.push_back({std::move(literal)});
        literal.clear();
    };
    for (char c : folded) {
        if (c == '%') {
            flushLiteral();
            if (!current.empty())
                segments_.push_back(std::move(current));
            current.clear();
        } else if (c == '_') {
            flushLiteral();
            current.push_back({});
        } else {
            literal += c;
        }
    }
    flushLiteral();
    if (!current.empty())
        segments_.push_back(std::move(current));
}

std::vector<std::string_view> LikePattern::literals() const {
    std::vector<std::string_view> out;
    for (const Segment& s : segments_)
        for (const Token& t : s)
            if (!t.literal.empty())
                out.push_back(t.literal);
    return out;
}

std::size_t LikePattern::matchAt(const Segment& s, std::string_view text, std::size_t pos) {
    const std::size_t start = pos;
    for (const Token& t : s) {
        if (t.literal.empty()) {
            if (pos >= text.size())
                return std::string_view::npos;
            pos += charLength(text, pos);
        } else {
            if (text.compare(pos, t.literal.size(), t.literal) != 0)
                return std::string_view::npos;
            pos += t.literal.size();
        }
    }
    return pos - start;
}

std::size_t LikePattern::find(const Segment& s, std::string_view text, std::size_t from,
                              std::size_t& length) {
    if (s.size() == 1 && !s[0].literal.empty()) {
        // Valid UTF-8 found in valid UTF-8 always starts on a character boundary.
        const std::size_t at = text.find(s[0].literal, from);
        length = s[0].literal.size();
        return at;
    }
    for (std::size_t pos = from; pos < text.size(); pos += charLength(text, pos)) {
        const std::size_t n = matchAt(s, text, pos);
        if (n != std::string_view::npos) {
            length = n;
            return pos;
        }
    }
    return std::string_view::npos;
}

bool LikePattern::matches(std::string_view text,
                          std::vector<std::pair<std::size_t, std::size_t>>* spans) const {
    // Between segments stands '%': the leftmost match of each segment leaves the most room
    // for the ones after it, so a greedy walk decides the match.
    std::size_t from = 0;
    for (const Segment& s : segments_) {
        std::size_t length = 0;
        const std::size_t at = find(s, text, from, length);
        if (at == std::string_view::npos)
            return false;
        if (spans)
            spans->emplace_back(at, length);
        from = at + length;
    }
    return true;
}

}  // namespace kalvix
