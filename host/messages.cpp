#include "host/messages.h"

#include "host/exceptions.h"
#include "host/json_writer.h"

namespace orvane::tessel::libvexahelper {

namespace {

void write_message(json_writer& out, std::string_view name, const libi18n::i18n_msg& message) {
    out.key(name).begin_object();
    out.key("encoded").value(message.encoded()).key("text").value(message.english());
    out.end_object();
}

json_writer begin(std::string_view type) {
    json_writer out;
    out.begin_object().key("type").value(type);
    return out;
}

const char* mode_name(value_mode mode) {
    switch (mode) {
        case value_mode::lookup:
            return "lookup";
        case value_mode::integer:
            return "integer";
        case value_mode::floating_point:
            return "float";
        case value_mode::unset:
            break;
    }
    return "unset";
}

// Index just past the JSON value that starts at pos (after leading white space).
std::size_t skip_value(std::string_view text, std::size_t pos) {
    int depth = 0;
    bool in_string = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (in_string) {
            if (c == '\\') {
                ++pos;
            } else if (c == '"') {
                in_string = false;
                if (depth == 0) {
                    return pos + 1;
                }
            }
            continue;
        }
        switch (c) {
            case '"':
                in_string = true;
                break;
            case '{':
            case '[':
                ++depth;
                break;
            case '}':
            case ']':
                if (--depth == 0) {
                    return pos + 1;
                }
                break;
            case ',':
                if (depth == 0) {
                    return pos;
                }
                break;
            default:
                break;
        }
    }
    return text.size();
}

std::size_t skip_space(std::string_view text, std::size_t pos) {
    while (pos < text.size() &&
           (text[pos] == ' ' || text[pos] == '\n' || text[pos] == '\r' || text[pos] == '\t')) {
        ++pos;
    }
    return pos;
}

}  // namespace

// ---- module information --------------------------------------------------------------------------

module_information_message::module_information_message(std::string document, bool load_languages)
    : document_(std::move(document)), load_languages_(load_languages) {}

std::string module_information_message::serialize() const {
    auto out = begin("module_information");
    out.key("loadLanguages").value(load_languages_);
    out.key("document")
        .value(load_languages_ ? std::string_view(document_) : without_translations(document_));
    return out.end_object().take();
}

std::string without_translations(std::string_view document) {
    // Walk the members of the top-level object to "Text", then keep only its first language.
    std::size_t pos = skip_space(document, 0);
    if (pos >= document.size() || document[pos] != '{') {
        return std::string(document);
    }
    ++pos;
    while (pos < document.size()) {
        pos = skip_space(document, pos);
        if (pos >= document.size() || document[pos] != '"') {
            break;
        }
        const std::size_t key_end = skip_value(document, pos);
        const std::string_view key = document.substr(pos + 1, key_end - pos - 2);
        pos = skip_space(document, key_end);
        if (pos >= document.size() || document[pos] != ':') {
            break;
        }
        const std::size_t value_start = skip_space(document, pos + 1);
        const std::size_t value_end = skip_value(document, value_start);
        if (key == "Text" && value_start < document.size() && document[value_start] == '{') {
            std::size_t inner = skip_space(document, value_start + 1);
            inner = skip_value(document, inner);                            // first language's name
            inner = skip_space(document, inner);                            // ':'
            inner = skip_value(document, skip_space(document, inner + 1));  // its translations
            std::string result(document.substr(0, inner));
            result.push_back('}');
            result.append(document.substr(value_end));
            return result;
        }
        pos = skip_space(document, value_end);
        if (pos < document.size() && document[pos] == ',') {
            ++pos;
        }
    }
    return std::string(document);
}

// ---- sensor scan result --------------------------------------------------------------------------

sensor_scan_result::sensor_scan_result(std::int32_t sensor_id, std::shared_ptr<const channel_map> channels)
    : sensor_id_(sensor_id), channels_(std::move(channels)) {}

sensor_scan_result::sensor_scan_result(std::int32_t sensor_id, const std::exception& error)
    : sensor_id_(sensor_id), message_(libi18n::i18n_msg::plain(error.what())) {}

sensor_scan_result::sensor_scan_result(std::int32_t sensor_id, const libi18n::i18n_exception& error)
    : sensor_id_(sensor_id), message_(error.message()) {}

void sensor_scan_result::set_value(std::int32_t channel_id, std::int64_t value) {
    store(channel_id, value, value_mode::integer);
}

void sensor_scan_result::set_value(std::int32_t channel_id, double value) {
    store(channel_id, value, value_mode::floating_point);
}

void sensor_scan_result::store(std::int32_t channel_id, std::variant<std::int64_t, double> value,
                               value_mode expected) {
    if (!channels_) {
        throw utils::exceptions::channel_map_not_initialized();
    }
    const value_mode mode = channels_->definition(channel_id).mode;
    const bool integral = expected == value_mode::integer;
    const bool matches = integral ? (mode == value_mode::integer || mode == value_mode::lookup)
                                  : mode == value_mode::floating_point;
    if (!matches) {
        throw utils::exceptions::invalid_channel_mode(integral ? "integer" : "float", mode_name(mode));
    }
    for (auto& existing : values_) {
        if (existing.channel_id == channel_id) {
            existing.value = value;
            return;
        }
    }
    values_.push_back({channel_id, value});
}

std::string sensor_scan_result::serialize() const {
    auto out = begin("sensor_scan_result");
    out.key("sensor_id").value(sensor_id_);
    out.key("response_code").value(response_code_);
    out.key("error_code").value(error_code_);
    write_message(out, "response_message", message_);
    out.key("channels").begin_array();
    for (const auto& [id, value] : values_) {
        out.begin_object().key("id").value(id);
        if (const auto* integer = std::get_if<std::int64_t>(&value)) {
            out.key("integer").value(*integer);
        } else {
            out.key("float").value(std::get<double>(value));
        }
        out.end_object();
    }
    return out.end_array().end_object().take();
}

// ---- meta-scan result ----------------------------------------------------------------------------

meta_scan_result::meta_scan_result(std::int32_t id, std::uint32_t request_number)
    : id_(id), request_number_(request_number) {}

meta_scan_result::meta_scan_result(std::int32_t id, std::uint32_t request_number, const std::exception& error)
    : id_(id), request_number_(request_number), message_(libi18n::i18n_msg::plain(error.what())) {}

meta_scan_result::meta_scan_result(std::int32_t id, std::uint32_t request_number,
                                   const libi18n::i18n_exception& error)
    : id_(id), request_number_(request_number), message_(error.message()) {}

void meta_scan_result::add_entry(libi18n::i18n_msg display_name, entry_settings settings) {
    entries_.push_back({std::move(display_name), std::move(settings)});
}

std::string meta_scan_result::serialize() const {
    auto out = begin("meta_scan_result");
    out.key("id").value(id_).key("request_number").value(request_number_).key("response").value(response_);
    write_message(out, "message", message_);
    out.key("entries").begin_array();
    for (const auto& entry : entries_) {
        out.begin_object();
        write_message(out, "display_name", entry.display_name);
        out.key("settings").begin_object();
        for (const auto& [key, value] : entry.settings) {
            out.key(key).value(value);
        }
        out.end_object().end_object();
    }
    return out.end_array().end_object().take();
}

// ---- small messages ------------------------------------------------------------------------------

std::string check_result::serialize() const {
    auto out = begin("check_result");
    out.key("id").value(id_).key("success").value(success_);
    return out.end_object().take();
}

metascan_progress::metascan_progress(std::int32_t id, std::uint32_t request_number, std::uint32_t progress,
                                     libi18n::i18n_msg message)
    : id_(id), request_number_(request_number), progress_(progress), message_(std::move(message)) {}

std::string metascan_progress::serialize() const {
    auto out = begin("metascan_progress");
    out.key("id").value(id_).key("request_number").value(request_number_).key("progress").value(progress_);
    write_message(out, "text", message_);
    return out.end_object().take();
}

dynamic_channel::dynamic_channel(std::int32_t sensor_id, dynamic_channel_options options)
    : sensor_id_(sensor_id), options_(std::move(options)) {}

std::string dynamic_channel::serialize() const {
    const auto& o = options_;
    auto out = begin("dynamic_channel");
    out.key("sensor_id").value(sensor_id_);
    out.key("channel").begin_object();
    out.key("channel_id")
        .value(o.channel_id)
        .key("name")
        .value(o.name)
        .key("display_text")
        .value(o.display_text);
    out.key("value_mode").value(static_cast<std::int32_t>(o.mode)).key("unit").value(o.unit);
    out.key("custom_unit").value(o.custom_unit);
    out.key("size_unit")
        .value(o.size_unit)
        .key("speed_unit")
        .value(o.speed_unit)
        .key("size_code")
        .value(o.size_code);
    out.key("hidden")
        .value(o.hidden)
        .key("show_chart")
        .value(o.show_chart)
        .key("show_table")
        .value(o.show_table);
    out.key("decimal_mode").value(o.decimal_mode).key("decimal_digits").value(o.decimal_digits);
    out.key("limit_mode").value(o.limit_mode).key("limits").begin_array();
    for (const auto& limit : o.limits) {
        out.begin_object().key("enabled").value(limit.enabled).key("value").value(limit.value).end_object();
    }
    out.end_array();
    out.key("limit_error_message").value(o.limit_error_message);
    out.key("limit_warning_message").value(o.limit_warning_message);
    out.key("value_lookup").value(o.value_lookup);
    out.key("scale_mode").value(o.scale_mode).key("scale_factor").value(o.scale_factor);
    return out.end_object().end_object().take();
}

persistent_data::persistent_data(std::int32_t sensor_id, std::string key, std::string value)
    : sensor_id_(sensor_id), key_(std::move(key)), value_(std::move(value)) {}

std::string persistent_data::serialize() const {
    auto out = begin("persistent_data");
    out.key("sensor_id").value(sensor_id_).key("key").value(key_).key("value").value(value_);
    return out.end_object().take();
}

}  // namespace orvane::tessel::libvexahelper
