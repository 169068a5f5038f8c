#include "upvarro/core/list_signature.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <memory>

#include "common/base64.h"

namespace upvarro {
namespace {

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
    // No pass-phrase prompt on the terminal: an encrypted key is refused, not asked about.
    auto noPassphrase = [](char*, int, int, void*) { return -1; };
    Key key(PEM_read_bio_PrivateKey(in.get(), nullptr, noPassphrase, nullptr));
    ERR_clear_error();
    return key;
}

}  // namespace

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
        return fail("not an unencrypted PEM private key");
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
