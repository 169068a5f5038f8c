#include "common/utf8.h"

namespace common {

bool isUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;  // the range of the second byte, for the forms that narrow it
        unsigned char high = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;  // overlong below
            if (c == 0xED)
                high = 0x9F;  // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F;  // beyond U+10FFFF
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto t = static_cast<unsigned char>(bytes[i + k]);
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xBF;
            if (t < min || t > max)
                return false;
        }
        i += length;
    }
    return true;
}

std::string_view cutUtf8(std::string_view utf8, std::size_t maxBytes) {
    if (utf8.size() <= maxBytes)
        return utf8;
    std::size_t end = maxBytes;
    // Back to the start of the sequence the cut falls in, when it falls inside one.
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    return utf8.substr(0, end);
}

std::string_view withoutBom(std::string_view bytes) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    return bytes.substr(0, bom.size()) == bom ? bytes.substr(bom.size()) : bytes;
}

}  // namespace common
