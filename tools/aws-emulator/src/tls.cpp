#include "tls.hpp"

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/ec.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

#include <array>
#include <stdexcept>

namespace orvane::tessel::emulator::detail {
namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string("TLS certificate: ") + what + " failed");
    }
}

struct bio_free {
    void operator()(BIO* p) const { BIO_free(p); }
};
struct ext_free {
    void operator()(X509_EXTENSION* p) const { X509_EXTENSION_free(p); }
};

void add_extension(X509* cert, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, cert, cert, nullptr, nullptr, 0);
    const std::unique_ptr<X509_EXTENSION, ext_free> ext(X509V3_EXT_conf_nid(nullptr, &ctx, nid, value));
    check(ext != nullptr, "extension");
    check(X509_add_ext(cert, ext.get(), -1) == 1, "adding an extension");
}

}  // namespace

self_signed make_self_signed_certificate() {
    self_signed out;
    out.key.reset(EVP_EC_gen("P-256"));
    check(out.key != nullptr, "key generation");
    out.certificate.reset(X509_new());
    X509* cert = out.certificate.get();
    check(cert != nullptr, "X509_new");
    check(X509_set_version(cert, 2) == 1, "version");
    std::array<unsigned char, 16> serial{};
    check(RAND_bytes(serial.data(), static_cast<int>(serial.size())) == 1, "serial");
    serial[0] &= 0x7FU;
    BIGNUM* bn = BN_bin2bn(serial.data(), static_cast<int>(serial.size()), nullptr);
    check(bn != nullptr && BN_to_ASN1_INTEGER(bn, X509_get_serialNumber(cert)) != nullptr, "serial");
    BN_free(bn);
    check(X509_gmtime_adj(X509_getm_notBefore(cert), -3600) != nullptr, "validity");
    check(X509_gmtime_adj(X509_getm_notAfter(cert), 365L * 24 * 3600) != nullptr, "validity");
    X509_NAME* name = X509_get_subject_name(cert);
    check(
        X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char*>("AWS emulator"), -1, -1, 0) == 1 &&
            X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                       reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0) == 1,
        "subject");
    check(X509_set_issuer_name(cert, name) == 1, "issuer");
    check(X509_set_pubkey(cert, out.key.get()) == 1, "public key");
    add_extension(cert, NID_basic_constraints, "critical,CA:TRUE");
    add_extension(cert, NID_key_usage, "critical,digitalSignature,keyCertSign");
    add_extension(cert, NID_ext_key_usage, "serverAuth");
    add_extension(cert, NID_subject_key_identifier, "hash");
    add_extension(cert, NID_authority_key_identifier, "keyid:always");
    add_extension(cert, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    check(X509_sign(cert, out.key.get(), EVP_sha256()) > 0, "signing");

    const std::unique_ptr<BIO, bio_free> bio(BIO_new(BIO_s_mem()));
    check(bio != nullptr && PEM_write_bio_X509(bio.get(), cert) == 1, "PEM encoding");
    char* data = nullptr;
    const auto size = BIO_get_mem_data(bio.get(), &data);
    out.certificate_pem.assign(data, static_cast<std::size_t>(size));
    return out;
}

}  // namespace orvane::tessel::emulator::detail
