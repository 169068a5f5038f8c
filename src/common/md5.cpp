#include "common/md5.h"

#include <openssl/evp.h>

#include <cstdio>

namespace common {

CMD5::CMD5() : ctx_(EVP_MD_CTX_new()) {
    ok_ = ctx_ != nullptr && EVP_DigestInit_ex(ctx_, EVP_md5(), nullptr) == 1;
}

CMD5::~CMD5() {
    EVP_MD_CTX_free(ctx_);
}

void CMD5::update(const void* data, std::size_t length) {
    if (ok_ && length > 0)
        ok_ = EVP_DigestUpdate(ctx_, data, length) == 1;
}

std::string CMD5::finish() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    bool done = ok_ && EVP_DigestFinal_ex(ctx_, digest, &n) == 1 && n == 16;
    ok_ = ctx_ != nullptr && EVP_DigestInit_ex(ctx_, EVP_md5(), nullptr) == 1;
    if (!done)
        return {};
    // "%x" above 15, "0%x" from 1 to 15, "00" for zero: the same as two digits per byte.
    std::string text;
    text.reserve(32);
    char pair[3];
    for (unsigned int i = 0; i < n; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        text += pair;
    }
    return text;
}

std::string CMD5::ofBytes(std::string_view bytes) {
    CMD5 md5;
    md5.update(bytes.data(), bytes.size());
    return md5.finish();
}

std::optional<std::string> CMD5::ofFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::nullopt;
    CMD5 md5;
    unsigned char piece[1024];
    std::size_t n = 0;
    while ((n = std::fread(piece, 1, sizeof piece, f)) > 0)
        md5.update(piece, n);
    bool ok = std::ferror(f) == 0;
    std::fclose(f);
    if (!ok)
        return std::nullopt;
    return md5.finish();
}

}  // namespace common
