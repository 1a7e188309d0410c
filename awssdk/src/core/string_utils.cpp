#include "core/string_utils.h"

#include <array>
#include <cctype>
#include <charconv>

namespace Aws {
namespace Internal {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr char kLowerHex[] = "0123456789abcdef";

constexpr std::array<bool, 256> MakeUnreserved() {
    std::array<bool, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c) {
        table[c] = true;
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        table[c] = true;
    }
    for (int c = '0'; c <= '9'; ++c) {
        table[c] = true;
    }
    table['-'] = table['_'] = table['.'] = table['~'] = true;
    return table;
}

constexpr std::array<bool, 256> kUnreserved = MakeUnreserved();

void Encode(Aws::String& out, std::string_view text, bool keepSlash) {
    out.reserve(out.size() + text.size() + text.size() / 2);
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (kUnreserved[byte] || (keepSlash && ch == '/')) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0F]);
        }
    }
}

}  // namespace

void AppendUrlEncoded(Aws::String& out, std::string_view text) {
    Encode(out, text, false);
}

Aws::String UrlEncode(std::string_view text) {
    Aws::String out;
    Encode(out, text, false);
    return out;
}

Aws::String UrlEncodePath(std::string_view text) {
    Aws::String out;
    Encode(out, text, true);
    return out;
}

Aws::String ToLower(std::string_view text) {
    Aws::String out(text);
    for (char& ch : out) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    const auto isSpace = [](char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

void AppendHex(Aws::String& out, const unsigned char* data, size_t size) {
    const size_t at = out.size();
    out.resize(at + size * 2);
    char* write = out.data() + at;
    for (size_t i = 0; i < size; ++i) {
        *write++ = kLowerHex[data[i] >> 4];
        *write++ = kLowerHex[data[i] & 0x0F];
    }
}

Aws::String ToDecimal(int64_t value) {
    return std::to_string(value);
}

Aws::String ToDecimal(int value) {
    return std::to_string(value);
}

Aws::String ToDecimal(double value) {
    // "%g" in the C locale, whatever locale the host process set.
    std::array<char, 64> buffer{};
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general).ptr;
    return Aws::String(buffer.data(), end);
}

}  // namespace Internal
}  // namespace Aws
