#pragma once
// GBK (code page 936) lives only at the edges: files and byte-counting rules.
// Everything inside the program is UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// UTF-8 -> GBK bytes. Characters GBK lacks become '?'. Invalid UTF-8 sequences also become '?'.
std::string utf8ToGbk(std::string_view utf8);

// GBK bytes -> UTF-8. Undecodable bytes become U+FFFD, so the result is always valid UTF-8.
std::string gbkToUtf8(std::string_view gbk);

// Strict variants: nullopt when any character cannot be converted.
std::optional<std::string> utf8ToGbkStrict(std::string_view utf8);
std::optional<std::string> gbkToUtf8Strict(std::string_view gbk);

// Number of bytes the UTF-8 text takes in GBK.
std::size_t gbkLength(std::string_view utf8);

// Longest prefix of GBK bytes of at most maxBytes that does not split a double-byte character.
std::string cutGbk(std::string_view gbk, std::size_t maxBytes);

// Same cut, measured in GBK bytes but given and returned in UTF-8.
std::string cutUtf8ToGbkBytes(std::string_view utf8, std::size_t maxBytes);

// Copies GBK text into a fixed NUL-terminated field of size bytes: cut to size - 1 bytes on a
// character boundary, rest zero-filled. Never writes beyond size.
void copyToField(char* field, std::size_t size, std::string_view gbk);

// Reads a fixed NUL-terminated field; a field without NUL is read up to its size.
std::string readField(const char* field, std::size_t size);

}  // namespace common
