#include "json_writer.h"

#include <array>
#include <string_view>

#include <nlohmann/json.hpp>

#include "docgen_error.h"

namespace orvane::tessel::aws::definition::docgen {
namespace {

using nlohmann::ordered_json;

constexpr std::string_view kMemberSeparator = ", ";
constexpr std::string_view kKeySeparator = ": ";

std::string_view short_escape(char c) noexcept {
    switch (c) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '\b':
            return "\\b";
        case '\f':
            return "\\f";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        default:
            return {};
    }
}

void append_quoted(const std::string& text, std::string& out) {
    constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                           '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out += '"';
    for (const char c : text) {
        if (const auto escape = short_escape(c); !escape.empty()) {
            out += escape;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            const auto byte = static_cast<unsigned char>(c);
            out += "\\u00";
            out += kHex[byte >> 4U];
            out += kHex[byte & 0xFU];
        } else {
            out += c;  // UTF-8 sequences stay raw
        }
    }
    out += '"';
}

void append(const ordered_json& value, std::string& out) {
    switch (value.type()) {
        case ordered_json::value_t::object: {
            out += '{';
            bool first = true;
            for (const auto& [key, member] : value.items()) {
                if (!first) {
                    out += kMemberSeparator;
                }
                first = false;
                append_quoted(key, out);
                out += kKeySeparator;
                append(member, out);
            }
            out += '}';
            return;
        }
        case ordered_json::value_t::array: {
            out += '[';
            bool first = true;
            for (const auto& element : value) {
                if (!first) {
                    out += kMemberSeparator;
                }
                first = false;
                append(element, out);
            }
            out += ']';
            return;
        }
        case ordered_json::value_t::string:
            append_quoted(value.get_ref<const std::string&>(), out);
            return;
        case ordered_json::value_t::boolean:
            out += value.get<bool>() ? "true" : "false";
            return;
        case ordered_json::value_t::number_integer:
            out += std::to_string(value.get<std::int64_t>());
            return;
        case ordered_json::value_t::number_unsigned:
            out += std::to_string(value.get<std::uint64_t>());
            return;
        case ordered_json::value_t::null:
            out += "null";
            return;
        case ordered_json::value_t::number_float:
            throw docgen_error("floating-point value " + value.dump() + " has no place in the document");
        case ordered_json::value_t::binary:
        case ordered_json::value_t::discarded:
            break;
    }
    throw docgen_error("value of type " + std::string(value.type_name()) + " cannot be written");
}

}  // namespace

std::string write_one_line(const ordered_json& value) {
    std::string out;
    append(value, out);
    return out;
}

std::string quote(const std::string& text) {
    std::string out;
    append_quoted(text, out);
    return out;
}

}  // namespace orvane::tessel::aws::definition::docgen
