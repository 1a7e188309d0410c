// A self-signed certificate for 127.0.0.1 and localhost, made in memory.
#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <string>

namespace orvane::tessel::emulator::detail {

struct x509_free {
    void operator()(X509* p) const { X509_free(p); }
};
struct pkey_free {
    void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
};

struct self_signed {
    std::unique_ptr<X509, x509_free> certificate;
    std::unique_ptr<EVP_PKEY, pkey_free> key;
    std::string certificate_pem;
};

// Throws std::runtime_error when OpenSSL fails.
[[nodiscard]] self_signed make_self_signed_certificate();

}  // namespace orvane::tessel::emulator::detail
