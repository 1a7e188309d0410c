#include "core/signer.h"

#include "core/string_utils.h"

#include <algorithm>

namespace Aws {
namespace Internal {
namespace {

constexpr std::string_view kAlgorithm = "AWS4-HMAC-SHA256";

// Header values are trimmed and inner runs of spaces collapse to one.
void AppendCanonicalValue(Aws::String& out, std::string_view value) {
    value = Trim(value);
    bool inSpace = false;
    for (const char ch : value) {
        if (ch == ' ' || ch == '\t') {
            inSpace = true;
            continue;
        }
        if (inSpace) {
            out.push_back(' ');
            inSpace = false;
        }
        out.push_back(ch);
    }
}

std::string_view DecodedKeyPart(std::string_view pair) {
    const auto eq = pair.find('=');
    return eq == std::string_view::npos ? pair : pair.substr(0, eq);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

Aws::String PercentDecode(std::string_view text) {
    Aws::String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = HexValue(text[i + 1]);
            const int lo = HexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

Aws::String HexSha256(std::string_view data) {
    const auto digest = Sha256(data);
    Aws::String out;
    AppendHex(out, digest.data(), digest.size());
    return out;
}

Aws::String CanonicalUri(std::string_view path) {
    if (path.empty()) {
        return "/";
    }
    return UrlEncodePath(path);
}

Aws::String CanonicalQueryString(std::string_view query) {
    if (query.empty()) {
        return {};
    }
    std::vector<std::pair<Aws::String, Aws::String>> params;
    size_t start = 0;
    while (start <= query.size()) {
        const auto end = std::min(query.find('&', start), query.size());
        const std::string_view pair = query.substr(start, end - start);
        if (!pair.empty()) {
            const auto eq = pair.find('=');
            const std::string_view key = DecodedKeyPart(pair);
            const std::string_view value =
                eq == std::string_view::npos ? std::string_view{} : pair.substr(eq + 1);
            params.emplace_back(UrlEncode(PercentDecode(key)), UrlEncode(PercentDecode(value)));
        }
        start = end + 1;
    }
    std::sort(params.begin(), params.end());
    Aws::String out;
    for (const auto& [key, value] : params) {
        if (!out.empty()) {
            out.push_back('&');
        }
        out += key;
        out.push_back('=');
        out += value;
    }
    return out;
}

Aws::String CanonicalRequest(const SigningRequest& request, Aws::String* signedHeaders) {
    std::vector<std::pair<Aws::String, std::string_view>> headers;
    headers.reserve(request.headers.size());
    for (const auto& [name, value] : request.headers) {
        headers.emplace_back(ToLower(name), value);
    }
    std::stable_sort(headers.begin(), headers.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    Aws::String out;
    out.reserve(512);
    out.append(request.method).push_back('\n');
    out += CanonicalUri(request.path);
    out.push_back('\n');
    out += CanonicalQueryString(request.query);
    out.push_back('\n');
    Aws::String names;
    for (size_t i = 0; i < headers.size(); ++i) {
        const bool repeated = i > 0 && headers[i].first == headers[i - 1].first;
        if (repeated) {
            out.push_back(',');
        } else {
            if (i > 0) {
                out.push_back('\n');
                names.push_back(';');
            }
            out += headers[i].first;
            out.push_back(':');
            names += headers[i].first;
        }
        AppendCanonicalValue(out, headers[i].second);
    }
    out += "\n\n";
    out += names;
    out.push_back('\n');
    out.append(request.payloadHash);
    if (signedHeaders != nullptr) {
        *signedHeaders = std::move(names);
    }
    return out;
}

Aws::String StringToSign(std::string_view canonicalRequest, const SigningScope& scope) {
    Aws::String out;
    out.reserve(160);
    out.append(kAlgorithm).push_back('\n');
    out.append(scope.amzDate).push_back('\n');
    out.append(scope.amzDate.substr(0, 8)).push_back('/');
    out.append(scope.region).push_back('/');
    out.append(scope.service).append("/aws4_request\n");
    const auto digest = Sha256(canonicalRequest);
    AppendHex(out, digest.data(), digest.size());
    return out;
}

Sha256Digest DeriveSigningKey(std::string_view secretKey, std::string_view date, std::string_view region,
                              std::string_view service) {
    Aws::String seed = "AWS4";
    seed.append(secretKey);
    auto key = HmacSha256(seed, date);
    const auto view = [](const Sha256Digest& d) {
        return std::string_view(reinterpret_cast<const char*>(d.data()), d.size());
    };
    key = HmacSha256(view(key), region);
    key = HmacSha256(view(key), service);
    return HmacSha256(view(key), "aws4_request");
}

Signature SignWithKey(const SigningRequest& request, const SigningScope& scope, std::string_view accessKeyId,
                      const Sha256Digest& signingKey) {
    Signature result;
    const Aws::String canonical = CanonicalRequest(request, &result.signedHeaders);
    const Aws::String toSign = StringToSign(canonical, scope);
    const auto mac = HmacSha256(
        std::string_view(reinterpret_cast<const char*>(signingKey.data()), signingKey.size()), toSign);
    AppendHex(result.signature, mac.data(), mac.size());

    Aws::String& auth = result.authorization;
    auth.reserve(256);
    auth.append(kAlgorithm).append(" Credential=").append(accessKeyId).push_back('/');
    auth.append(scope.amzDate.substr(0, 8)).push_back('/');
    auth.append(scope.region).push_back('/');
    auth.append(scope.service).append("/aws4_request, SignedHeaders=");
    auth += result.signedHeaders;
    auth += ", Signature=";
    auth += result.signature;
    return result;
}

Signature Sign(const SigningRequest& request, const SigningScope& scope, std::string_view accessKeyId,
               std::string_view secretKey) {
    return SignWithKey(request, scope, accessKeyId,
                       DeriveSigningKey(secretKey, scope.amzDate.substr(0, 8), scope.region, scope.service));
}

}  // namespace Internal
}  // namespace Aws
