#pragma once
// 32-bit little-endian integers in byte buffers, as the build records, the update lists and
// the list files store them; byte by byte, so alignment and the host's order never matter.

#include <cstdint>

namespace common {

inline std::uint32_t readLe32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

inline void writeLe32(unsigned char* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace common
