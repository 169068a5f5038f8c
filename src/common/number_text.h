#pragma once
// Reading numbers out of texts typed by users or found in files, without locale and without
// exceptions.

#include <cstdint>
#include <optional>
#include <string_view>

namespace common {

// Whole text an integer: blanks or tabs around it, an optional sign, decimal digits, and a
// value inside [min, max]. Anything else (empty, trailing letters, overflow) is nullopt.
std::optional<std::int64_t> parseInteger(std::string_view text, std::int64_t min = INT64_MIN,
                                         std::int64_t max = INT64_MAX);

// Whole text a real number (blanks around it allowed, finite).
std::optional<double> parseNumber(std::string_view text);

// The text's leading integer, as atoi would read it: blanks, sign, digits; 0 when there is
// none; clamped to the int64 range.
std::int64_t leadingInteger(std::string_view text);

}  // namespace common
