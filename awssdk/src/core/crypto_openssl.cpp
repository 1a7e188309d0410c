#include "core/crypto.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <initializer_list>

namespace Aws {
namespace Internal {

namespace {

// Fetched once: OpenSSL 3 otherwise looks the algorithm up (under a global lock) on every call,
// and every request signs with several digests. Freed when the library is unloaded, so that a host
// that loads and unloads the module finds nothing left behind.
class FetchedSha256 {
public:
    FetchedSha256() : m_fetched(EVP_MD_fetch(nullptr, "SHA256", nullptr)) {}
    ~FetchedSha256() { EVP_MD_free(m_fetched); }
    FetchedSha256(const FetchedSha256&) = delete;
    FetchedSha256& operator=(const FetchedSha256&) = delete;

    const EVP_MD* Get() const { return m_fetched != nullptr ? m_fetched : EVP_sha256(); }

private:
    EVP_MD* m_fetched;
};

const EVP_MD* sha256() {
    static const FetchedSha256 algorithm;
    return algorithm.Get();
}

// One digest context for the few hashes of one call. OpenSSL's one-shot HMAC() fetches the MAC and
// the digest by name and builds three contexts on every call, which cost many times the two or three
// blocks a signature hashes.
class DigestContext {
public:
    DigestContext() : m_context(EVP_MD_CTX_new()) {}
    ~DigestContext() { EVP_MD_CTX_free(m_context); }
    DigestContext(const DigestContext&) = delete;
    DigestContext& operator=(const DigestContext&) = delete;

    Sha256Digest Hash(std::initializer_list<std::string_view> parts) {
        Sha256Digest digest{};
        unsigned int length = 0;
        if (m_context == nullptr || EVP_DigestInit_ex(m_context, sha256(), nullptr) != 1) {
            return digest;
        }
        for (const auto part : parts) {
            EVP_DigestUpdate(m_context, part.data(), part.size());
        }
        EVP_DigestFinal_ex(m_context, digest.data(), &length);
        return digest;
    }

private:
    EVP_MD_CTX* m_context;
};

std::string_view View(const unsigned char* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace

Sha256Digest Sha256(std::string_view data) {
    return DigestContext().Hash({data});
}

// RFC 2104 over SHA-256 (64-byte blocks).
Sha256Digest HmacSha256(std::string_view key, std::string_view data) {
    constexpr size_t kBlock = 64;
    constexpr unsigned char kInner = 0x36;
    constexpr unsigned char kOuter = 0x5c;
    DigestContext context;
    Sha256Digest longKey{};
    if (key.size() > kBlock) {
        longKey = context.Hash({key});
        key = View(longKey.data(), longKey.size());
    }
    std::array<unsigned char, kBlock> pad{};
    std::copy(key.begin(), key.end(), pad.begin());
    for (auto& byte : pad) {
        byte ^= kInner;
    }
    const auto inner = context.Hash({View(pad.data(), pad.size()), data});
    for (auto& byte : pad) {
        byte ^= kInner ^ kOuter;
    }
    const auto mac = context.Hash({View(pad.data(), pad.size()), View(inner.data(), inner.size())});
    // The pad holds the key, and the key derives from the secret.
    OPENSSL_cleanse(pad.data(), pad.size());
    OPENSSL_cleanse(longKey.data(), longKey.size());
    return mac;
}

}  // namespace Internal
}  // namespace Aws
