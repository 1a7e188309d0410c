#include "host/json_writer.h"

#include <charconv>
#include <cmath>

namespace orvane::tessel::libvexahelper {

void append_json_string(std::string& out, std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    out.push_back('"');
    for (const char c : text) {
        switch (c) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\t':
                out.append("\\t");
                break;
            case '\b':
                out.append("\\b");
                break;
            case '\f':
                out.append("\\f");
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out.append("\\u00");
                    out.push_back(hex[(c >> 4) & 0xF]);
                    out.push_back(hex[c & 0xF]);
                } else {
                    out.push_back(c);
                }
        }
    }
    out.push_back('"');
}

void json_writer::separate() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!first_in_scope_.empty()) {
        if (!first_in_scope_.back()) {
            out_.push_back(',');
        }
        first_in_scope_.back() = false;
    }
}

json_writer& json_writer::begin_object() {
    separate();
    out_.push_back('{');
    first_in_scope_.push_back(true);
    return *this;
}

json_writer& json_writer::end_object() {
    out_.push_back('}');
    first_in_scope_.pop_back();
    return *this;
}

json_writer& json_writer::begin_array() {
    separate();
    out_.push_back('[');
    first_in_scope_.push_back(true);
    return *this;
}

json_writer& json_writer::end_array() {
    out_.push_back(']');
    first_in_scope_.pop_back();
    return *this;
}

json_writer& json_writer::key(std::string_view name) {
    separate();
    append_json_string(out_, name);
    out_.push_back(':');
    after_key_ = true;
    return *this;
}

json_writer& json_writer::value(std::string_view text) {
    separate();
    append_json_string(out_, text);
    return *this;
}

json_writer& json_writer::value(std::int64_t number) {
    separate();
    char buffer[24];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), number);
    out_.append(buffer, result.ptr);
    return *this;
}

json_writer& json_writer::value(double number) {
    if (!std::isfinite(number)) {
        return null();
    }
    separate();
    char buffer[32];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), number);
    out_.append(buffer, result.ptr);
    return *this;
}

json_writer& json_writer::value(bool flag) {
    separate();
    out_.append(flag ? "true" : "false");
    return *this;
}

json_writer& json_writer::null() {
    separate();
    out_.append("null");
    return *this;
}

json_writer& json_writer::raw(std::string_view json) {
    separate();
    out_.append(json);
    return *this;
}

}  // namespace orvane::tessel::libvexahelper
