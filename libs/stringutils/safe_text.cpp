#include "libs/stringutils/safe_text.h"

#include <cstdint>

namespace orvane::tessel::libstringutils {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";

enum class target { json, log };

// Length of the well-formed UTF-8 sequence at the start of text (Unicode table 3-7), or 0 when the
// first byte starts none; `consumed` is then the length of its maximal ill-formed subpart, which
// becomes one U+FFFD.
std::size_t sequence_length(std::string_view text, std::size_t& consumed) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        consumed = 1;
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const bool fits =
            i < text.size() && byte(i) >= (i == 1 ? low : 0x80) && byte(i) <= (i == 1 ? high : 0xBF);
        if (!fits) {
            consumed = i;
            return 0;
        }
    }
    consumed = length;
    return length;
}

void append_unicode_escape(std::string& out, std::uint32_t code_point) {
    static constexpr char hex[] = "0123456789abcdef";
    out.append("\\u");
    for (int shift = 12; shift >= 0; shift -= 4) {
        out.push_back(hex[(code_point >> shift) & 0xF]);
    }
}

// Control characters get their short JSON escape where one exists, \uXXXX otherwise.
void append_control(std::string& out, std::uint32_t code_point) {
    switch (code_point) {
        case '\n':
            out.append("\\n");
            return;
        case '\r':
            out.append("\\r");
            return;
        case '\t':
            out.append("\\t");
            return;
        case '\b':
            out.append("\\b");
            return;
        case '\f':
            out.append("\\f");
            return;
        default:
            append_unicode_escape(out, code_point);
    }
}

template <target Target>
constexpr bool plain_ascii(std::uint8_t c) {
    if (c < 0x20 || c >= 0x7F) {
        return false;
    }
    return Target == target::log || (c != '"' && c != '\\');
}

template <target Target>
void append_safe(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t run = i;
        while (run < text.size() && plain_ascii<Target>(static_cast<std::uint8_t>(text[run]))) {
            ++run;
        }
        out.append(text.data() + i, run - i);
        i = run;
        if (i == text.size()) {
            break;
        }
        const auto c = static_cast<std::uint8_t>(text[i]);
        if (c < 0x80) {
            if (c == '"' || c == '\\') {
                out.push_back('\\');
                out.push_back(static_cast<char>(c));
            } else {
                append_control(out, c);
            }
            ++i;
            continue;
        }
        std::size_t consumed = 0;
        const std::size_t length = sequence_length(text.substr(i), consumed);
        if (length == 0) {
            out.append(replacement);
        } else if (length == 2 && c == 0xC2 && static_cast<std::uint8_t>(text[i + 1]) < 0xA0) {
            append_unicode_escape(out, static_cast<std::uint8_t>(text[i + 1]));  // C1 control
        } else if (length == 3 && c == 0xE2 && static_cast<std::uint8_t>(text[i + 1]) == 0x80 &&
                   (static_cast<std::uint8_t>(text[i + 2]) & 0xFE) == 0xA8) {
            append_unicode_escape(out, 0x2000U | (static_cast<std::uint8_t>(text[i + 2]) - 0x80U));
        } else {
            out.append(text.data() + i, length);
        }
        i += consumed;
    }
}

}  // namespace

void append_json_string(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size() + 2);
    out.push_back('"');
    append_safe<target::json>(out, text);
    out.push_back('"');
}

void append_log_text(std::string& out, std::string_view text) {
    append_safe<target::log>(out, text);
}

}  // namespace orvane::tessel::libstringutils
