#include "aws/clients/secret_redactor.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace orvane::tessel::aws {

namespace {

// Shorter secrets are common words and digits; hiding them would garble the text and hide nothing.
constexpr std::size_t shortest_secret = 4;

std::string percent_encoded(std::string_view text, const char* hex) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 || c == '-' || c == '_' || c == '.' || c == '~') {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(hex[byte >> 4]);
            out.push_back(hex[byte & 0xF]);
        }
    }
    return out;
}

std::string escaped(std::string_view text, std::string_view (*escape)(char)) {
    std::string out;
    for (const char c : text) {
        const std::string_view replacement = escape(c);
        if (replacement.empty()) {
            out.push_back(c);
        } else {
            out.append(replacement);
        }
    }
    return out;
}

std::string_view json_escape(char c) {
    switch (c) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '/':
            return "\\/";
        default:
            return {};
    }
}

std::string_view xml_escape(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&apos;";
        default:
            return {};
    }
}

std::string base64(std::string_view text) {
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, text.size() - i);
        std::uint32_t chunk = 0;
        for (std::size_t j = 0; j < 3; ++j) {
            chunk = (chunk << 8) | (j < n ? static_cast<unsigned char>(text[i + j]) : 0U);
        }
        for (std::size_t j = 0; j < 4; ++j) {
            out.push_back(j <= n ? alphabet[(chunk >> (18 - 6 * j)) & 0x3F] : '=');
        }
    }
    return out;
}

}  // namespace

secret_redactor::secret_redactor(std::string_view secret_key, std::string_view proxy_user,
                                 std::string_view proxy_password) {
    add(secret_key);
    add(proxy_password);
    if (proxy_password.size() >= shortest_secret) {
        std::string credentials(proxy_user);
        credentials.append(":").append(proxy_password);
        needles_.push_back(base64(credentials));
    }
    std::sort(needles_.begin(), needles_.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    needles_.erase(std::unique(needles_.begin(), needles_.end()), needles_.end());
}

void secret_redactor::add(std::string_view secret) {
    if (secret.size() < shortest_secret) {
        return;
    }
    needles_.emplace_back(secret);
    needles_.push_back(percent_encoded(secret, "0123456789ABCDEF"));
    needles_.push_back(percent_encoded(secret, "0123456789abcdef"));
    needles_.push_back(escaped(secret, json_escape));
    needles_.push_back(escaped(secret, xml_escape));
}

std::string secret_redactor::redact(std::string text) const {
    for (const auto& needle : needles_) {
        for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 3)) {
            text.replace(at, needle.size(), "***");
        }
    }
    return text;
}

}  // namespace orvane::tessel::aws
