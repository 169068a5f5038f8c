#pragma once
// Signed update lists: an Ed25519 signature over the exact bytes of soft_update.xml, served
// beside it as soft_update.xml.sig (one line, base64 of the 64 signature bytes). A build with a
// public key compiled in installs only lists that key signed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/base64.h"

namespace upvarro {

inline constexpr std::size_t kPublicKeySize = 32;
inline constexpr std::size_t kSignatureSize = 64;
inline constexpr const char* kSignatureFileName = "soft_update.xml.sig";

using common::fromBase64;
using common::toBase64;

// The raw 32 key bytes of a base64 text; nullopt when it is not one.
std::optional<std::string> decodePublicKey(std::string_view base64);

enum class SignatureCheck {
    Valid,
    Malformed,  // not base64 of 64 bytes
    Invalid,    // does not verify with the key
};

// signatureText: the content of the .sig file. publicKey: the raw 32 bytes.
SignatureCheck verifyListSignature(std::string_view list, std::string_view signatureText,
                                   std::string_view publicKey);

struct KeyPair {
    std::string privatePem;  // PKCS #8 PEM
    std::string publicKey;   // raw 32 bytes
};
std::optional<KeyPair> generateKeyPair();

struct SigningKey {
    std::string privatePem;
    std::string publicKey;  // raw 32 bytes, derived from the private key
};
// Reads a PEM private key; nullopt (and error, when given, a line saying why) when it is not
// an Ed25519 private key.
std::optional<SigningKey> readSigningKey(std::string_view pem, std::string* error = nullptr);
// The .sig file's text for list: base64 of the signature and a line end.
std::optional<std::string> signList(std::string_view list, const SigningKey& key);

}  // namespace upvarro
