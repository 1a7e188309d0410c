#include "aws_emulator/sigv4.hpp"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <map>
#include <stdexcept>

namespace orvane::tessel::emulator::sigv4 {
namespace {

using digest = std::array<unsigned char, 32>;

std::string to_hex(const unsigned char* data, std::size_t size) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out(size * 2, '0');
    for (std::size_t i = 0; i < size; ++i) {
        out[2 * i] = digits[data[i] >> 4U];
        out[2 * i + 1] = digits[data[i] & 0x0FU];
    }
    return out;
}

digest hmac(std::string_view key, std::string_view data) {
    digest out{};
    unsigned int size = 0;
    if (HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()),
             reinterpret_cast<const unsigned char*>(data.data()), data.size(), out.data(),
             &size) == nullptr) {
        throw std::runtime_error("HMAC-SHA256 failed");
    }
    return out;
}

std::string_view as_view(const digest& d) {
    return {reinterpret_cast<const char*>(d.data()), d.size()};
}

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Trims and collapses inner runs of spaces, as the canonical header value requires.
std::string canonical_value(std::string_view value) {
    std::string out;
    bool pending_space = false;
    for (char c : value) {
        if (c == ' ' || c == '\t') {
            pending_space = !out.empty();
            continue;
        }
        if (pending_space) {
            out += ' ';
            pending_space = false;
        }
        out += c;
    }
    return out;
}

std::string canonical_query(std::string_view query) {
    std::vector<std::pair<std::string, std::string>> pairs;
    while (!query.empty()) {
        const auto amp = query.find('&');
        const auto item = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
        if (item.empty()) {
            continue;
        }
        const auto eq = item.find('=');
        const auto key = item.substr(0, eq);
        const auto value = eq == std::string_view::npos ? std::string_view{} : item.substr(eq + 1);
        pairs.emplace_back(uri_encode(uri_decode(key)), uri_encode(uri_decode(value)));
    }
    std::sort(pairs.begin(), pairs.end());
    std::string out;
    for (const auto& [key, value] : pairs) {
        if (!out.empty()) {
            out += '&';
        }
        out += key;
        out += '=';
        out += value;
    }
    return out;
}

}  // namespace

std::string sha256_hex(std::string_view data) {
    digest out{};
    unsigned int size = 0;
    if (EVP_Digest(data.data(), data.size(), out.data(), &size, EVP_sha256(), nullptr) != 1) {
        throw std::runtime_error("SHA-256 failed");
    }
    return to_hex(out.data(), out.size());
}

std::string uri_encode(std::string_view text, bool keep_slash) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (std::isalnum(c) != 0 || c == '-' || c == '_' || c == '.' || c == '~' ||
            (keep_slash && c == '/')) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4U];
            out += digits[c & 0x0FU];
        }
    }
    return out;
}

std::string uri_decode(std::string_view text) {
    auto hex = [](char c) -> int {
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
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else if (text[i] == '+') {
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string canonical_request(const http_request& request, const std::vector<std::string>& signed_headers,
                              std::string_view payload_hash) {
    std::string_view target = request.target;
    const auto question = target.find('?');
    const auto path = target.substr(0, question);
    const auto query = question == std::string_view::npos ? std::string_view{} : target.substr(question + 1);

    std::map<std::string, std::string> values;
    for (const auto& [name, value] : request.headers) {
        auto& slot = values[lower(name)];
        if (!slot.empty()) {
            slot += ',';
        }
        slot += canonical_value(value);
    }

    std::string out = request.method;
    out += '\n';
    // Services other than S3 sign the path encoded once more than it was sent.
    out += path.empty() ? std::string("/") : uri_encode(path, true);
    out += '\n';
    out += canonical_query(query);
    out += '\n';
    // The header lines joined by line feeds, then a line feed, as botocore builds them: a request
    // without a signed header still has its (empty) header block.
    for (std::size_t i = 0; i < signed_headers.size(); ++i) {
        if (i != 0) {
            out += '\n';
        }
        out += signed_headers[i];
        out += ':';
        if (auto it = values.find(signed_headers[i]); it != values.end()) {
            out += it->second;
        }
    }
    out += "\n\n";
    for (std::size_t i = 0; i < signed_headers.size(); ++i) {
        if (i != 0) {
            out += ';';
        }
        out += signed_headers[i];
    }
    out += '\n';
    out += payload_hash;
    return out;
}

std::string string_to_sign(std::string_view amz_date, const scope& scope,
                           std::string_view canonical_request) {
    std::string out = "AWS4-HMAC-SHA256\n";
    out += amz_date;
    out += '\n';
    out += scope.text();
    out += '\n';
    out += sha256_hex(canonical_request);
    return out;
}

std::string signature(std::string_view secret_key, const scope& scope, std::string_view string_to_sign) {
    const auto date_key = hmac("AWS4" + std::string(secret_key), scope.date);
    const auto region_key = hmac(as_view(date_key), scope.region);
    const auto service_key = hmac(as_view(region_key), scope.service);
    const auto signing_key = hmac(as_view(service_key), "aws4_request");
    const auto sig = hmac(as_view(signing_key), string_to_sign);
    return to_hex(sig.data(), sig.size());
}

std::string amz_date(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm tm{};
    gmtime_r(&t, &tm);
    std::array<char, 20> buffer{};
    const auto size = std::strftime(buffer.data(), buffer.size(), "%Y%m%dT%H%M%SZ", &tm);
    return {buffer.data(), size};
}

void sign(http_request& request, const credentials& credentials, std::string_view region,
          std::string_view service, std::chrono::system_clock::time_point when) {
    const auto date = amz_date(when);
    request.headers.emplace_back("X-Amz-Date", date);
    if (!credentials.session_token.empty()) {
        request.headers.emplace_back("X-Amz-Security-Token", credentials.session_token);
    }
    std::vector<std::string> names;
    for (const auto& header : request.headers) {
        auto name = lower(header.first);
        if (name != "user-agent" && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    const scope sc{date.substr(0, 8), std::string(region), std::string(service)};
    const auto canonical = canonical_request(request, names, sha256_hex(request.body));
    const auto sig = signature(credentials.secret_key, sc, string_to_sign(date, sc, canonical));
    std::string list;
    for (const auto& name : names) {
        list += (list.empty() ? "" : ";") + name;
    }
    request.headers.emplace_back("Authorization", "AWS4-HMAC-SHA256 Credential=" + credentials.access_key +
                                                      "/" + sc.text() + ", SignedHeaders=" + list +
                                                      ", Signature=" + sig);
}

}  // namespace orvane::tessel::emulator::sigv4
