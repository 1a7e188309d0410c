#include "core/crypto.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

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

}  // namespace

Sha256Digest Sha256(std::string_view data) {
    Sha256Digest digest{};
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest.data(), &length, sha256(), nullptr);
    return digest;
}

Sha256Digest HmacSha256(std::string_view key, std::string_view data) {
    Sha256Digest digest{};
    unsigned int length = 0;
    HMAC(sha256(), key.data(), static_cast<int>(key.size()),
         reinterpret_cast<const unsigned char*>(data.data()), data.size(), digest.data(), &length);
    return digest;
}

}  // namespace Internal
}  // namespace Aws
