#include "core/crypto.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

namespace Aws {
namespace Internal {

Sha256Digest Sha256(std::string_view data) {
    Sha256Digest digest{};
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest.data(), &length, EVP_sha256(), nullptr);
    return digest;
}

Sha256Digest HmacSha256(std::string_view key, std::string_view data) {
    Sha256Digest digest{};
    unsigned int length = 0;
    HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()),
         reinterpret_cast<const unsigned char*>(data.data()), data.size(), digest.data(), &length);
    return digest;
}

}  // namespace Internal
}  // namespace Aws
