#include "core/crypto.h"

#include <windows.h>

#include <bcrypt.h>

namespace Aws {
namespace Internal {

namespace {

// Opened once per process: a provider handle may create hashes on any thread.
BCRYPT_ALG_HANDLE Provider(bool hmac) {
    static const auto open = [](ULONG flags) {
        BCRYPT_ALG_HANDLE handle = nullptr;
        if (BCryptOpenAlgorithmProvider(&handle, BCRYPT_SHA256_ALGORITHM, nullptr, flags) != 0) {
            return BCRYPT_ALG_HANDLE{nullptr};
        }
        return handle;
    };
    static const BCRYPT_ALG_HANDLE plain = open(0);
    static const BCRYPT_ALG_HANDLE keyed = open(BCRYPT_ALG_HANDLE_HMAC_FLAG);
    return hmac ? keyed : plain;
}

// An all-zero digest when Windows refuses: the request then fails its signature check, as it would
// with a broken OpenSSL.
Sha256Digest Digest(BCRYPT_ALG_HANDLE provider, std::string_view key, std::string_view data) {
    Sha256Digest digest{};
    BCRYPT_HASH_HANDLE hash = nullptr;
    // BCrypt takes non-const pointers but reads the key and the data only.
    auto* keyBytes = reinterpret_cast<PUCHAR>(const_cast<char*>(key.data()));
    auto* dataBytes = reinterpret_cast<PUCHAR>(const_cast<char*>(data.data()));
    if (provider == nullptr || BCryptCreateHash(provider, &hash, nullptr, 0, key.empty() ? nullptr : keyBytes,
                                                static_cast<ULONG>(key.size()), 0) != 0) {
        return digest;
    }
    if (BCryptHashData(hash, dataBytes, static_cast<ULONG>(data.size()), 0) != 0 ||
        BCryptFinishHash(hash, digest.data(), static_cast<ULONG>(digest.size()), 0) != 0) {
        digest.fill(0);
    }
    BCryptDestroyHash(hash);
    return digest;
}

}  // namespace

Sha256Digest Sha256(std::string_view data) {
    return Digest(Provider(false), {}, data);
}

Sha256Digest HmacSha256(std::string_view key, std::string_view data) {
    return Digest(Provider(true), key, data);
}

}  // namespace Internal
}  // namespace Aws
