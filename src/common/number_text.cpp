#include "common/number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace common {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view t) {
    while (!t.empty() && isBlank(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back()))
        t.remove_suffix(1);
    return t;
}

}  // namespace

std::optional<std::int64_t> parseInteger(std::string_view text, std::int64_t min,
                                         std::int64_t max) {
    std::string_view t = trimBlanks(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.empty())
        return std::nullopt;
    // Accumulate as a negative number so INT64_MIN is representable.
    std::int64_t value = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return std::nullopt;
        int d = c - '0';
        if (value < (std::numeric_limits<std::int64_t>::min() + d) / 10)
            return std::nullopt;
        value = value * 10 - d;
    }
    if (!negative) {
        if (value == std::numeric_limits<std::int64_t>::min())
            return std::nullopt;
        value = -value;
    }
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text) {
    std::string t(trimBlanks(text));
    if (t.empty())
        return std::nullopt;
    // strtod would accept "inf", "nan" and hex floats; a field takes plain decimals only.
    for (char c : t) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::int64_t leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\n' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        int d = text[i] - '0';
        if (value < (std::numeric_limits<std::int64_t>::min() + d) / 10) {
            return negative ? std::numeric_limits<std::int64_t>::min()
                            : std::numeric_limits<std::int64_t>::max();
        }
        value = value * 10 - d;
    }
    if (negative)
        return value;
    return value == std::numeric_limits<std::int64_t>::min()
               ? std::numeric_limits<std::int64_t>::max()
               : -value;
}

}  // namespace common
