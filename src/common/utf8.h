#pragma once
// Telling UTF-8 text from bytes of another encoding (GBK files written on Linux are often
// UTF-8 instead), and cutting it between characters.

#include <cstddef>
#include <string_view>

namespace common {

// Strictly well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isUtf8(std::string_view bytes);

// The longest prefix of at most maxBytes that does not end inside a multi-byte sequence.
std::string_view cutUtf8(std::string_view utf8, std::size_t maxBytes);

// Without a leading byte order mark.
std::string_view withoutBom(std::string_view bytes);

}  // namespace common
