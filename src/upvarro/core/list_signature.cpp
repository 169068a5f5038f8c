#include "upvarro/core/list_signature.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <memory>

namespace upvarro {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
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

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct KeyFree {
    void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
struct ContextFree {
    void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
};
struct KeyContextFree {
    void operator()(EVP_PKEY_CTX* c) const { EVP_PKEY_CTX_free(c); }
};
struct BioFree {
    void operator()(BIO* b) const { BIO_free(b); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Context = std::unique_ptr<EVP_MD_CTX, ContextFree>;
using KeyContext = std::unique_ptr<EVP_PKEY_CTX, KeyContextFree>;
using Bio = std::unique_ptr<BIO, BioFree>;

const unsigned char* bytesOf(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

std::optional<std::string> rawPublicKey(EVP_PKEY* key) {
    std::string raw(kPublicKeySize, '\0');
    std::size_t size = raw.size();
    if (EVP_PKEY_get_raw_public_key(key, reinterpret_cast<unsigned char*>(raw.data()), &size) !=
            1 ||
        size != kPublicKeySize)
        return std::nullopt;
    return raw;
}

std::optional<std::string> pemOf(EVP_PKEY* key) {
    Bio out(BIO_new(BIO_s_mem()));
    if (!out ||
        PEM_write_bio_PKCS8PrivateKey(out.get(), key, nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return std::nullopt;
    char* data = nullptr;
    long size = BIO_get_mem_data(out.get(), &data);
    if (size <= 0)
        return std::nullopt;
    return std::string(data, static_cast<std::size_t>(size));
}

Key privateKeyOf(std::string_view pem) {
    // A key text cannot be long; a large file is not one, whatever it holds.
    if (pem.size() > 64 * 1024)
        return nullptr;
    Bio in(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    if (!in)
        return nullptr;
    Key key(PEM_read_bio_PrivateKey(in.get(), nullptr, nullptr, nullptr));
    ERR_clear_error();
    return key;
}

}  // namespace

std::string toBase64(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                     static_cast<unsigned char>(bytes[i + 1]) << 8 |
                     static_cast<unsigned char>(bytes[i + 2]);
        text += kAlphabet[v >> 18 & 63];
        text += kAlphabet[v >> 12 & 63];
        text += kAlphabet[v >> 6 & 63];
        text += kAlphabet[v & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2)
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        text += kAlphabet[v >> 18 & 63];
        text += kAlphabet[v >> 12 & 63];
        text += rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
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
            s[k] = sextet(c);
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

std::optional<std::string> decodePublicKey(std::string_view base64) {
    auto raw = fromBase64(base64);
    if (!raw || raw->size() != kPublicKeySize)
        return std::nullopt;
    return raw;
}

SignatureCheck verifyListSignature(std::string_view list, std::string_view signatureText,
                                   std::string_view publicKey) {
    auto signature = fromBase64(signatureText);
    if (!signature || signature->size() != kSignatureSize)
        return SignatureCheck::Malformed;
    if (publicKey.size() != kPublicKeySize)
        return SignatureCheck::Invalid;
    Key key(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, bytesOf(publicKey),
                                        publicKey.size()));
    Context context(EVP_MD_CTX_new());
    bool valid = key && context &&
                 EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) == 1 &&
                 EVP_DigestVerify(context.get(), bytesOf(*signature), signature->size(),
                                  bytesOf(list), list.size()) == 1;
    ERR_clear_error();
    return valid ? SignatureCheck::Valid : SignatureCheck::Invalid;
}

std::optional<KeyPair> generateKeyPair() {
    KeyContext context(EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr));
    EVP_PKEY* made = nullptr;
    if (!context || EVP_PKEY_keygen_init(context.get()) != 1 ||
        EVP_PKEY_keygen(context.get(), &made) != 1)
        return std::nullopt;
    Key key(made);
    auto pem = pemOf(key.get());
    auto raw = rawPublicKey(key.get());
    if (!pem || !raw)
        return std::nullopt;
    return KeyPair{*pem, *raw};
}

std::optional<SigningKey> readSigningKey(std::string_view pem, std::string* error) {
    auto fail = [error](const char* why) -> std::optional<SigningKey> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    Key key = privateKeyOf(pem);
    if (!key)
        return fail("not a PEM private key");
    if (EVP_PKEY_get_base_id(key.get()) != EVP_PKEY_ED25519)
        return fail("not an Ed25519 key");
    auto raw = rawPublicKey(key.get());
    if (!raw)
        return fail("its public key cannot be derived");
    return SigningKey{std::string(pem), *raw};
}

std::optional<std::string> signList(std::string_view list, const SigningKey& signing) {
    Key key = privateKeyOf(signing.privatePem);
    Context context(EVP_MD_CTX_new());
    std::string signature(kSignatureSize, '\0');
    std::size_t size = signature.size();
    bool signed_ = key && context &&
                   EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, key.get()) == 1 &&
                   EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()),
                                  &size, bytesOf(list), list.size()) == 1 &&
                   size == kSignatureSize;
    ERR_clear_error();
    if (!signed_)
        return std::nullopt;
    return toBase64(signature) + "\n";
}

}  // namespace upvarro
