#pragma once
// A message digest written as lower-case hex digits, two per byte in digest order: MD5 for the
// update lists' checksums, SHA-256 for the stronger sums a signed list carries.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct evp_md_ctx_st;

namespace common {

enum class DigestKind { Md5, Sha256 };

class HexDigest {
  public:
    explicit HexDigest(DigestKind kind);
    ~HexDigest();
    HexDigest(const HexDigest&) = delete;
    HexDigest& operator=(const HexDigest&) = delete;

    void update(const void* data, std::size_t length);
    // The digest text of everything given since the start; the object starts over. Empty
    // when the digest could not be made.
    std::string finish();

    static std::string ofBytes(DigestKind kind, std::string_view bytes);
    // The digest of a file read in pieces of 1024 bytes; nullopt when it cannot be read.
    static std::optional<std::string> ofFile(DigestKind kind, const std::string& path);

  private:
    void start();

    DigestKind kind_;
    evp_md_ctx_st* ctx_;
    bool ok_ = false;
};

// Hex digits of either letter case name the same digest.
bool sameHexDigest(std::string_view a, std::string_view b);

}  // namespace common
