// SigV4 canonicalisation of paths, queries and header values from the fuzzer, in the SDK subset's
// signer and, as an independent second opinion, in the emulator's verifier: both must build the same
// canonical request, or a request the SDK signs could be refused.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "aws_emulator/sigv4.hpp"
#include "core/signer.h"
#include "tests/fuzz/fuzz_support.h"

namespace fuzz = orvane::tessel::fuzz;
namespace sigv4 = orvane::tessel::emulator::sigv4;

namespace {

bool is_token_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

bool is_field_char(char c) {
    return c >= 0x20 && c < 0x7F;
}

// Input: path, NUL, query, NUL, then "name:value" header lines.
struct request_parts {
    std::string path;
    std::string query;
    std::vector<std::pair<std::string, std::string>> headers;
    bool comparable = true;  // within what both sides define alike
};

request_parts read(std::string_view input) {
    request_parts parts;
    const auto [path, rest] = fuzz::split_at_nul(input);
    const auto [query, header_text] = fuzz::split_at_nul(rest);
    parts.path = path;
    parts.query = query;
    // The verifier reads '+' in a query as a space, as form decoding does; the SDK never sends one.
    parts.comparable =
        parts.query.find('+') == std::string::npos && parts.path.find('?') == std::string::npos;
    std::string_view lines = header_text;
    while (!lines.empty()) {
        const auto end = lines.find('\n');
        const std::string_view line = lines.substr(0, end);
        lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
        const auto colon = line.find(':');
        if (colon == 0 || colon == std::string_view::npos) {
            continue;
        }
        const std::string_view name = line.substr(0, colon);
        const std::string_view value = line.substr(colon + 1);
        bool valid = true;
        for (const char c : name) {
            valid = valid && is_token_char(c);
        }
        for (const char c : value) {
            valid = valid && is_field_char(c);
        }
        for (const auto& [known, unused] : parts.headers) {
            valid = valid && known != name;
        }
        if (valid) {
            parts.headers.emplace_back(name, value);
        }
    }
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = read(std::string_view(reinterpret_cast<const char*>(data), size));

    Aws::Internal::SigningRequest request;
    request.method = "POST";
    request.path = parts.path;
    request.query = parts.query;
    for (const auto& [name, value] : parts.headers) {
        request.headers.emplace_back(name, value);
    }
    request.payloadHash = "UNSIGNED-PAYLOAD";
    Aws::String signed_headers;
    const Aws::String ours = Aws::Internal::CanonicalRequest(request, &signed_headers);

    if (!parts.comparable) {
        return 0;
    }
    sigv4::http_request received;
    received.target = parts.path + (parts.query.empty() ? "" : "?" + parts.query);
    std::vector<std::string> names;
    for (const auto& [name, value] : parts.headers) {
        received.headers.emplace_back(name, value);
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    const std::string theirs = sigv4::canonical_request(received, names, "UNSIGNED-PAYLOAD");
    if (ours != theirs) {
        fuzz::fail("the signer and the verifier canonicalise differently", ours + "\n----\n" + theirs);
    }
    return 0;
}
