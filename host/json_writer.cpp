#include "host/json_writer.h"

#include "libs/stringutils/safe_text.h"

#include <charconv>
#include <cmath>

namespace orvane::tessel::libvexahelper {

using libstringutils::append_json_string;

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

}  // namespace orvane::tessel::libvexahelper
