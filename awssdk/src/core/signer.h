#pragma once

#include "core/crypto.h"

#include <aws/core/utils/memory/stl/AWSString.h>

#include <string_view>
#include <utility>
#include <vector>

namespace Aws {
namespace Internal {

// One HTTP request as SigV4 sees it. Header names may be in any case; they are canonicalised here.
struct SigningRequest {
    std::string_view method;
    std::string_view path;   // as sent, before encoding
    std::string_view query;  // raw "a=b&c=d" (already encoded), may be empty
    std::vector<std::pair<std::string_view, std::string_view>> headers;
    std::string_view payloadHash;  // hex SHA-256 of the body
};

struct SigningScope {
    std::string_view amzDate;  // YYYYMMDDTHHMMSSZ
    std::string_view region;
    std::string_view service;
};

struct Signature {
    Aws::String signedHeaders;
    Aws::String signature;
    Aws::String authorization;
};

Aws::String CanonicalUri(std::string_view path);
Aws::String CanonicalQueryString(std::string_view query);
Aws::String CanonicalRequest(const SigningRequest& request, Aws::String* signedHeaders);
Aws::String StringToSign(std::string_view canonicalRequest, const SigningScope& scope);
Sha256Digest DeriveSigningKey(std::string_view secretKey, std::string_view date, std::string_view region,
                              std::string_view service);
// Signs with a key from DeriveSigningKey; callers may cache the key per day.
Signature SignWithKey(const SigningRequest& request, const SigningScope& scope, std::string_view accessKeyId,
                      const Sha256Digest& signingKey);
Signature Sign(const SigningRequest& request, const SigningScope& scope, std::string_view accessKeyId,
               std::string_view secretKey);
Aws::String HexSha256(std::string_view data);

}  // namespace Internal
}  // namespace Aws
