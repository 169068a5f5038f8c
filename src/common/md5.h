#pragma once
// The programs' own MD5 (RFC 1321) with the digest text both of them write: 32 lower-case hex
// digits, two per byte in digest order.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct evp_md_ctx_st;

namespace common {

class CMD5 {
  public:
    CMD5();
    ~CMD5();
    CMD5(const CMD5&) = delete;
    CMD5& operator=(const CMD5&) = delete;

    void update(const void* data, std::size_t length);
    // Pads, appends the bit length and returns the digest text; the object starts over.
    std::string finish();

    static std::string ofBytes(std::string_view bytes);
    // The digest of a file read in pieces of 1024 bytes; nullopt when it cannot be read.
    static std::optional<std::string> ofFile(const std::string& path);

  private:
    evp_md_ctx_st* ctx_;
    bool ok_ = false;
};

}  // namespace common
