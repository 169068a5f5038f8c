#include "common/base64.h"

namespace common {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

int base64Sextet(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

std::string toBase64(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                     static_cast<unsigned char>(bytes[i + 1]) << 8 |
                     static_cast<unsigned char>(bytes[i + 2]);
        text += kBase64Alphabet[v >> 18 & 63];
        text += kBase64Alphabet[v >> 12 & 63];
        text += kBase64Alphabet[v >> 6 & 63];
        text += kBase64Alphabet[v & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2)
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        text += kBase64Alphabet[v >> 18 & 63];
        text += kBase64Alphabet[v >> 12 & 63];
        text += rest == 2 ? kBase64Alphabet[v >> 6 & 63] : '=';
        text += '=';
    }
    return text;
}

std::optional<std::string> fromBase64(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        int s[4];
        int padding = 0;
        for (int k = 0; k < 4; ++k) {
            char c = text[i + static_cast<std::size_t>(k)];
            if (c == '=' && last && k >= 2) {
                s[k] = 0;
                ++padding;
                continue;
            }
            if (padding > 0)
                return std::nullopt;  // a digit after padding
            s[k] = base64Sextet(c);
            if (s[k] < 0)
                return std::nullopt;
        }
        unsigned v = static_cast<unsigned>(s[0]) << 18 | static_cast<unsigned>(s[1]) << 12 |
                     static_cast<unsigned>(s[2]) << 6 | static_cast<unsigned>(s[3]);
        // One text per byte string: bits the padding drops must be zero.
        if ((padding == 1 && (v & 0xFF) != 0) || (padding == 2 && (v & 0xFFFF) != 0))
            return std::nullopt;
        bytes += static_cast<char>(v >> 16 & 0xFF);
        if (padding < 2)
            bytes += static_cast<char>(v >> 8 & 0xFF);
        if (padding < 1)
            bytes += static_cast<char>(v & 0xFF);
    }
    return bytes;
}

}  // namespace common
