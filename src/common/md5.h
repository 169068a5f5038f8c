#pragma once
// The programs' own MD5 (RFC 1321) with the digest text both of them write: 32 lower-case hex
// digits, two per byte in digest order.

#include <optional>
#include <string>
#include <string_view>

#include "common/hex_digest.h"

namespace common {

class CMD5 : public HexDigest {
  public:
    CMD5() : HexDigest(DigestKind::Md5) {}

    static std::string ofBytes(std::string_view bytes) {
        return HexDigest::ofBytes(DigestKind::Md5, bytes);
    }
    static std::optional<std::string> ofFile(const std::string& path) {
        return HexDigest::ofFile(DigestKind::Md5, path);
    }
};

}  // namespace common
