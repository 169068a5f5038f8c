#include "common/hex_digest.h"

#include <openssl/evp.h>

#include <cstdio>

namespace common {

HexDigest::HexDigest(DigestKind kind) : kind_(kind), ctx_(EVP_MD_CTX_new()) {
    start();
}

HexDigest::~HexDigest() {
    EVP_MD_CTX_free(ctx_);
}

void HexDigest::start() {
    const EVP_MD* md = kind_ == DigestKind::Md5 ? EVP_md5() : EVP_sha256();
    ok_ = ctx_ != nullptr && EVP_DigestInit_ex(ctx_, md, nullptr) == 1;
}

void HexDigest::update(const void* data, std::size_t length) {
    if (ok_ && length > 0)
        ok_ = EVP_DigestUpdate(ctx_, data, length) == 1;
}

std::string HexDigest::finish() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    const unsigned int expected = kind_ == DigestKind::Md5 ? 16 : 32;
    bool done = ok_ && EVP_DigestFinal_ex(ctx_, digest, &n) == 1 && n == expected;
    start();
    if (!done)
        return {};
    // "%x" above 15, "0%x" from 1 to 15, "00" for zero: the same as two digits per byte.
    std::string text;
    text.reserve(2 * n);
    char pair[3];
    for (unsigned int i = 0; i < n; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        text += pair;
    }
    return text;
}

std::string HexDigest::ofBytes(DigestKind kind, std::string_view bytes) {
    HexDigest digest(kind);
    digest.update(bytes.data(), bytes.size());
    return digest.finish();
}

std::optional<std::string> HexDigest::ofFile(DigestKind kind, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::nullopt;
    HexDigest digest(kind);
    unsigned char piece[1024];
    std::size_t n = 0;
    while ((n = std::fread(piece, 1, sizeof piece, f)) > 0)
        digest.update(piece, n);
    bool ok = std::ferror(f) == 0;
    std::fclose(f);
    if (!ok)
        return std::nullopt;
    return digest.finish();
}

bool sameHexDigest(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

}  // namespace common
