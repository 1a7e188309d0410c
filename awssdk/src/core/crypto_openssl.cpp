#include "core/crypto.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

namespace Aws {
namespace Internal {

namespace {

// Fetched once: OpenSSL 3 otherwise looks the algorithm up (under a global lock) on every call,
// and every request signs with several digests.
const EVP_MD* sha256() {
    static const EVP_MD* const algorithm = [] {
        const EVP_MD* fetched = EVP_MD_fetch(nullptr, "SHA256", nullptr);
        return fetched != nullptr ? fetched : EVP_sha256();
    }();
    return algorithm;
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
