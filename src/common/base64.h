#pragma once
// Standard base64 (RFC 4648, "+/" and "=" padding): the build codes players paste and the
// signatures and keys of signed update lists.

#include <optional>
#include <string>
#include <string_view>

namespace common {

inline constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// 0..63 for an alphabet character, -1 otherwise.
int base64Sextet(char c);

std::string toBase64(std::string_view bytes);
// Strict: ignores blanks and line ends around the text and refuses any other character, a
// length that is not a whole number of groups, and padding bits that are not zero, so each
// byte string has one text.
std::optional<std::string> fromBase64(std::string_view text);

}  // namespace common
