// soft_update.xml.sig comes from the network: base64 decoding never reads past its input, a
// text it accepts is the one canonical text of its bytes, and no made-up signature verifies.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "upvarro/core/list_signature.h"

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A fixed key: the public half of the 32 zero-byte seed is a valid point.
    static const std::string key =
        *upvarro::decodePublicKey("O2onvM62pC1io6jQKm8Nc2UyFXcd4kOmOsBIoYtZ2ik=");
    std::string_view input(reinterpret_cast<const char*>(data), size);
    if (auto bytes = upvarro::fromBase64(input))
        check(upvarro::toBase64(*bytes) == trimmed(input));
    // The first line is the signature, the rest the list it claims to sign.
    std::size_t cut = input.find('\n');
    std::string_view signature = input.substr(0, cut);
    std::string_view list =
        cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
    check(upvarro::verifyListSignature(list, signature, key) != upvarro::SignatureCheck::Valid);
    return 0;
}
