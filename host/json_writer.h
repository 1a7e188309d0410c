#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::tessel::libvexahelper {

// A minimal streaming JSON writer for the messages the module sends on every scan: no DOM, one
// growing buffer, compact output. Every text goes through append_json_string, so the output is
// valid UTF-8 JSON whatever the texts hold.
class json_writer {
public:
    json_writer& begin_object();
    json_writer& end_object();
    json_writer& begin_array();
    json_writer& end_array();
    json_writer& key(std::string_view name);

    json_writer& value(std::string_view text);
    json_writer& value(const char* text) { return value(std::string_view(text)); }
    json_writer& value(const std::string& text) { return value(std::string_view(text)); }
    json_writer& value(std::int64_t number);
    json_writer& value(std::int32_t number) { return value(static_cast<std::int64_t>(number)); }
    json_writer& value(std::uint32_t number) { return value(static_cast<std::int64_t>(number)); }
    // Shortest text that reads back to the same double; NaN and infinities become null.
    json_writer& value(double number);
    json_writer& value(bool flag);
    json_writer& null();

    const std::string& str() const noexcept { return out_; }
    std::string take() noexcept { return std::move(out_); }

private:
    void separate();

    std::string out_;
    std::vector<bool> first_in_scope_;
    bool after_key_ = false;
};

}  // namespace orvane::tessel::libvexahelper
