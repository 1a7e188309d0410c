#include "host/sensor_data_wrapper.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "host/exceptions.h"
#include "host/json_writer.h"
#include "host/settings_excerpt.h"
#include "host/texts.h"
#include "libs/stringutils/json_error.h"

namespace orvane::tessel::libvexahelper {

namespace {

using json = nlohmann::ordered_json;

// How much of an unreadable buffer the log shows.
constexpr std::size_t excerpt_limit = 2048;

// Says what is wrong with the buffer's shape; the text never quotes the buffer.
class invalid_shape : public std::runtime_error {
    using runtime_error::runtime_error;
};

libi18n::i18n_msg parse_failure(std::size_t byte, std::size_t length, std::string_view reason) {
    return libi18n::i18n_msg(texts::json_parse, "Byte " + std::to_string(byte) + " of the settings buffer (" +
                                                    std::to_string(length) +
                                                    " bytes): " + std::string(reason) + ".");
}

// Settings travel as strings; numbers and booleans are accepted in their JSON spelling.
std::string value_text(const json& value, const char* section, std::size_t index) {
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_number() || value.is_boolean()) {
        return value.dump();
    }
    throw invalid_shape("Value " + std::to_string(index) + " of \"" + section +
                        "\" in the settings buffer is " +
                        (value.is_array()    ? "an array"
                         : value.is_object() ? "an object"
                                             : "null") +
                        ", not a string.");
}

// A member of the root object; null counts as absent.
const json* member(const json& root, const char* name) {
    const auto it = root.find(name);
    return it == root.end() || it->is_null() ? nullptr : &*it;
}

template <class Store>
void read_section(const json& root, const char* name, Store&& store) {
    const json* section = member(root, name);
    if (section == nullptr) {
        return;
    }
    if (!section->is_object()) {
        throw invalid_shape(std::string("The member \"") + name +
                            "\" of the settings buffer is not an object.");
    }
    std::size_t index = 0;
    for (const auto& [key, value] : section->items()) {
        ++index;
        store(key, value_text(value, name, index), index);
    }
}

std::int32_t channel_id(const std::string& text, std::size_t index) {
    std::int32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw invalid_shape("The id of channel " + std::to_string(index) +
                            " in the settings buffer is not a 32-bit integer.");
    }
    return id;
}

}  // namespace

sensor_data_wrapper::sensor_data_wrapper(const std::uint8_t* data, std::uint32_t length) {
    const std::string_view text(reinterpret_cast<const char*>(data), data == nullptr ? 0 : length);
    auto failure = read(text);
    if (!failure) {
        return;
    }
    valid_ = false;
    error_ = std::move(*failure);
    kind_.clear();
    settings_.clear();
    secure_settings_.clear();
    channels_.clear();
    persistent_data_.clear();
    json_writer out;
    out.begin_object().key("unreadable_settings_buffer").begin_object();
    out.key("bytes").value(static_cast<std::int64_t>(text.size()));
    out.key("reason").value(error_.english());
    out.key("excerpt").value(settings_excerpt(text, excerpt_limit));
    out.end_object().end_object();
    unreadable_ = out.take();
}

std::optional<libi18n::i18n_msg> sensor_data_wrapper::read(std::string_view text) {
    if (text.empty()) {
        return libi18n::i18n_msg(texts::json_parse, "The settings buffer is empty.");
    }
    json root;
    try {
        root = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& error) {
        return parse_failure(std::min<std::size_t>(error.byte, text.size()), text.size(),
                             libstringutils::json_error_reason(error.what()));
    } catch (const std::exception&) {
        return libi18n::i18n_msg(texts::json_parse, "The settings buffer could not be read.");
    }
    try {
        if (!root.is_object()) {
            throw invalid_shape("The settings buffer is not a JSON object.");
        }
        const json* kind = member(root, "kind");
        if (kind == nullptr || !kind->is_string()) {
            throw invalid_shape("The member \"kind\" of the settings buffer is missing or not a string.");
        }
        kind_ = kind->get<std::string>();
        if (member(root, "settings") == nullptr) {
            throw invalid_shape("The member \"settings\" of the settings buffer is missing.");
        }
        read_section(root, "settings", [&](const std::string& key, std::string value, std::size_t) {
            settings_.emplace_back(key, std::move(value));
        });
        read_section(root, "secure_settings",
                     [&](const std::string& key, const std::string& value, std::size_t) {
                         secure_settings_.emplace_back(key, secure_string(value));
                     });
        read_section(root, "channels", [&](const std::string& key, std::string value, std::size_t index) {
            channels_.emplace(channel_id(key, index), std::move(value));
        });
        read_section(root, "persistent_data", [&](const std::string& key, std::string value, std::size_t) {
            persistent_data_.emplace(key, std::move(value));
        });
    } catch (const invalid_shape& error) {
        return libi18n::i18n_msg(texts::unexpected_type, error.what());
    }
    return std::nullopt;
}

const std::string& sensor_data_wrapper::lookup(std::string_view key) const {
    for (const auto& [name, value] : settings_) {
        if (name == key) {
            return value;
        }
    }
    throw utils::exceptions::setting_not_available(std::string(key));
}

secure_string sensor_data_wrapper::lookup_secure(std::string_view key) const {
    for (const auto& [name, value] : secure_settings_) {
        if (name == key) {
            return value;
        }
    }
    throw utils::exceptions::setting_not_available(std::string(key));
}

std::string sensor_data_wrapper::to_json() const {
    if (!valid_) {
        return unreadable_;
    }
    json_writer out;
    out.begin_object().key("kind").value(kind_);
    out.key("settings").begin_object();
    for (const auto& [key, value] : settings_) {
        // A secret the host put among the plain settings is still a secret.
        out.key(key).value(is_secret_setting(key) ? std::string_view("***") : std::string_view(value));
    }
    out.end_object().key("secure_settings").begin_object();
    for (const auto& entry : secure_settings_) {
        out.key(entry.first).value("***");
    }
    out.end_object().key("channels").begin_object();
    for (const auto& [id, name] : channels_) {
        out.key(std::to_string(id)).value(name);
    }
    out.end_object().key("persistent_data").begin_object();
    for (const auto& [key, value] : persistent_data_) {
        out.key(key).value(value);
    }
    out.end_object().end_object();
    return out.take();
}

}  // namespace orvane::tessel::libvexahelper
