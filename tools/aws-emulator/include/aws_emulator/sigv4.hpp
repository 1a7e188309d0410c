// AWS Signature Version 4, the pieces both sides need: the emulator verifies with them, and tests and
// benchmarks sign their own requests with them.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::tessel::emulator::sigv4 {

struct credentials {
    std::string access_key;
    std::string secret_key;
    std::string session_token;
};

// An HTTP request as it goes over the wire. `target` is the raw request target (path and query).
struct http_request {
    std::string method = "POST";
    std::string target = "/";
    std::vector<std::pair<std::string, std::string>> headers;  // names in any case
    std::string body;
};

struct scope {
    std::string date;  // YYYYMMDD
    std::string region;
    std::string service;
    [[nodiscard]] std::string text() const { return date + "/" + region + "/" + service + "/aws4_request"; }
};

[[nodiscard]] std::string sha256_hex(std::string_view data);

// AWS's URI encoding: A-Z a-z 0-9 - _ . ~ stay, everything else becomes %XX (upper-case hex).
[[nodiscard]] std::string uri_encode(std::string_view text, bool keep_slash = false);
[[nodiscard]] std::string uri_decode(std::string_view text);

// The canonical request over `signed_headers` (lower-case names, sorted).
[[nodiscard]] std::string canonical_request(const http_request& request,
                                            const std::vector<std::string>& signed_headers,
                                            std::string_view payload_hash);
[[nodiscard]] std::string string_to_sign(std::string_view amz_date, const scope& scope,
                                         std::string_view canonical_request);
[[nodiscard]] std::string signature(std::string_view secret_key, const scope& scope,
                                    std::string_view string_to_sign);

// Signs like the official SDKs do: adds X-Amz-Date (and X-Amz-Security-Token), then an Authorization
// header over every header present except user-agent. A Host header must already be there.
void sign(http_request& request, const credentials& credentials, std::string_view region,
          std::string_view service, std::chrono::system_clock::time_point when);

// YYYYMMDDTHHMMSSZ
[[nodiscard]] std::string amz_date(std::chrono::system_clock::time_point when);

}  // namespace orvane::tessel::emulator::sigv4
