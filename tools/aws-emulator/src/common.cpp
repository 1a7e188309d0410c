#include "common.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace orvane::tessel::emulator::detail {

void xml_escape(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
}

std::string format_number(double value) {
    if (!std::isfinite(value)) {
        return "0";
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

void xml_writer::open(std::string_view tag) {
    out_ += '<';
    out_ += tag;
    out_ += '>';
}

void xml_writer::open(std::string_view tag, std::string_view xmlns) {
    out_ += '<';
    out_ += tag;
    out_ += " xmlns=\"";
    out_ += xmlns;
    out_ += "\">";
}

void xml_writer::close(std::string_view tag) {
    out_ += "</";
    out_ += tag;
    out_ += '>';
}

void xml_writer::leaf(std::string_view tag, std::string_view value) {
    open(tag);
    xml_escape(out_, value);
    close(tag);
}

void xml_writer::leaf(std::string_view tag, double value) {
    leaf(tag, std::string_view(format_number(value)));
}

void xml_writer::empty(std::string_view tag) {
    out_ += '<';
    out_ += tag;
    out_ += "/>";
}

reply xml_reply(const call_context& ctx, std::string_view inner) {
    const auto& service = *ctx.op.service;
    const std::string response = std::string(ctx.op.name) + "Response";
    xml_writer w;
    std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    w.open(response, service.xml_namespace);
    if (service.wire == protocol::ec2) {
        w.leaf("requestId", ctx.request_id);
        body += w.take();
        body += inner;
    } else {
        const std::string result = std::string(ctx.op.name) + "Result";
        w.open(result);
        body += w.take();
        body += inner;
        w.close(result);
        w.open("ResponseMetadata");
        w.leaf("RequestId", ctx.request_id);
        w.close("ResponseMetadata");
        body += w.take();
    }
    w.close(response);
    body += w.take();
    return {200, service.wire == protocol::ec2 ? "text/xml;charset=UTF-8" : "text/xml", std::move(body)};
}

reply error_reply(const service_info& service, const api_error& error, std::string_view request_id) {
    if (service.wire == protocol::json) {
        std::string body = "{\"__type\":\"";
        body += error.code;
        body += "\",\"message\":\"";
        for (char c : error.message) {
            if (c == '"' || c == '\\') {
                body += '\\';
                body += c;
            } else if (c == '\n') {
                body += "\\n";
            } else if (static_cast<unsigned char>(c) >= 0x20) {
                body += c;
            }
        }
        body += "\"}";
        return {error.status, "application/x-amz-json-1.1", std::move(body)};
    }
    xml_writer w;
    std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (service.wire == protocol::ec2) {
        w.open("Response");
        w.open("Errors");
        w.open("Error");
        w.leaf("Code", error.code);
        w.leaf("Message", error.message);
        w.close("Error");
        w.close("Errors");
        w.leaf("RequestID", request_id);
        w.close("Response");
    } else {
        w.open("ErrorResponse", service.xml_namespace);
        w.open("Error");
        w.leaf("Type", error.sender ? "Sender" : "Receiver");
        w.leaf("Code", error.code);
        w.leaf("Message", error.message);
        w.close("Error");
        w.leaf("RequestId", request_id);
        w.close("ErrorResponse");
    }
    body += w.take();
    return {error.status, service.wire == protocol::ec2 ? "text/xml;charset=UTF-8" : "text/xml",
            std::move(body)};
}

namespace {

// Splits "<prefix>.<index>[.<rest>]"; false when the key is not of that shape.
bool split_indexed(std::string_view key, std::string_view prefix, long long& index, std::string_view& rest) {
    if (key.size() <= prefix.size() + 1 || key.substr(0, prefix.size()) != prefix ||
        key[prefix.size()] != '.') {
        return false;
    }
    auto tail = key.substr(prefix.size() + 1);
    const auto dot = tail.find('.');
    const auto digits = tail.substr(0, dot);
    if (digits.empty() || std::from_chars(digits.data(), digits.data() + digits.size(), index).ptr !=
                              digits.data() + digits.size()) {
        return false;
    }
    rest = dot == std::string_view::npos ? std::string_view{} : tail.substr(dot + 1);
    return true;
}

}  // namespace

std::vector<std::string> list_param(const param_map& params, std::string_view prefix) {
    std::map<long long, std::string> items;
    for (auto it = params.lower_bound(prefix); it != params.end() && it->first.rfind(prefix, 0) == 0; ++it) {
        long long index = 0;
        std::string_view rest;
        if (split_indexed(it->first, prefix, index, rest) && rest.empty()) {
            items[index] = it->second;
        }
    }
    std::vector<std::string> out;
    out.reserve(items.size());
    for (auto& [_, value] : items) {
        out.push_back(std::move(value));
    }
    return out;
}

std::vector<param_map> struct_list(const param_map& params, std::string_view prefix) {
    std::map<long long, param_map> items;
    for (auto it = params.lower_bound(prefix); it != params.end() && it->first.rfind(prefix, 0) == 0; ++it) {
        long long index = 0;
        std::string_view rest;
        if (split_indexed(it->first, prefix, index, rest) && !rest.empty()) {
            items[index].emplace(std::string(rest), it->second);
        }
    }
    std::vector<param_map> out;
    out.reserve(items.size());
    for (auto& [_, value] : items) {
        out.push_back(std::move(value));
    }
    return out;
}

const std::string* find_param(const param_map& params, std::string_view key) {
    const auto it = params.find(key);
    return it == params.end() ? nullptr : &it->second;
}

std::optional<long long> int_param(const param_map& params, std::string_view key,
                                   std::string_view error_code) {
    const auto* text = find_param(params, key);
    if (text == nullptr) {
        return std::nullopt;
    }
    long long value = 0;
    const auto* end = text->data() + text->size();
    if (text->empty() || std::from_chars(text->data(), end, value).ptr != end) {
        throw api_error(std::string(error_code), "Value (" + *text + ") for parameter " + std::string(key) +
                                                     " is invalid. Expecting an integer.");
    }
    return value;
}

namespace {

constexpr std::string_view base64_chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(std::string_view in) {
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        const auto n = (static_cast<unsigned>(static_cast<unsigned char>(in[i])) << 16U) |
                       (static_cast<unsigned>(static_cast<unsigned char>(in[i + 1])) << 8U) |
                       static_cast<unsigned>(static_cast<unsigned char>(in[i + 2]));
        for (int s = 18; s >= 0; s -= 6) {
            out += base64_chars[(n >> static_cast<unsigned>(s)) & 63U];
        }
    }
    if (i < in.size()) {
        unsigned n = static_cast<unsigned>(static_cast<unsigned char>(in[i])) << 16U;
        if (i + 1 < in.size()) {
            n |= static_cast<unsigned>(static_cast<unsigned char>(in[i + 1])) << 8U;
        }
        out += base64_chars[(n >> 18U) & 63U];
        out += base64_chars[(n >> 12U) & 63U];
        out += i + 1 < in.size() ? base64_chars[(n >> 6U) & 63U] : '=';
        out += '=';
    }
    return out;
}

std::optional<std::string> unbase64(std::string_view in) {
    std::string out;
    unsigned buffer = 0;
    int bits = 0;
    for (char c : in) {
        if (c == '=') {
            break;
        }
        const auto pos = base64_chars.find(c);
        if (pos == std::string_view::npos) {
            return std::nullopt;
        }
        buffer = (buffer << 6U) | static_cast<unsigned>(pos);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((buffer >> static_cast<unsigned>(bits)) & 0xFFU);
        }
    }
    return out;
}

}  // namespace

std::string encode_token(std::string_view operation, std::size_t offset) {
    return base64("emulator:" + std::string(operation) + ":" + std::to_string(offset));
}

std::optional<std::size_t> decode_token(std::string_view operation, std::string_view token) {
    const auto text = unbase64(token);
    const std::string prefix = "emulator:" + std::string(operation) + ":";
    if (!text || text->rfind(prefix, 0) != 0) {
        return std::nullopt;
    }
    const std::string_view digits = std::string_view(*text).substr(prefix.size());
    std::size_t offset = 0;
    if (digits.empty() || std::from_chars(digits.data(), digits.data() + digits.size(), offset).ptr !=
                              digits.data() + digits.size()) {
        return std::nullopt;
    }
    return offset;
}

page paginate(const call_context& ctx, std::size_t total, std::size_t offset,
              std::optional<std::size_t> limit) {
    std::size_t size = total;
    if (limit) {
        size = *limit;
    }
    if (ctx.configured_page_size) {
        size = std::min(size, *ctx.configured_page_size);
    }
    page p;
    p.begin = std::min(offset, total);
    p.end = total - p.begin > size ? p.begin + size : total;
    if (p.end < total) {
        p.next_token = encode_token(ctx.op.name, p.end);
    }
    return p;
}

}  // namespace orvane::tessel::emulator::detail
