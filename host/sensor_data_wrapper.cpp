#include "host/sensor_data_wrapper.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "host/exceptions.h"
#include "host/json_writer.h"

namespace orvane::tessel::libvexahelper {

namespace {

using json = nlohmann::ordered_json;

class invalid_buffer : public std::runtime_error {
    using runtime_error::runtime_error;
};

// Settings travel as strings; numbers and booleans are accepted in their JSON spelling.
std::string value_text(const json& value, std::string_view section, const std::string& key) {
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_number() || value.is_boolean()) {
        return value.dump();
    }
    throw invalid_buffer("the value of \"" + key + "\" in \"" + std::string(section) +
                         "\" must be a string, not " + value.type_name());
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
        throw invalid_buffer(std::string("the member \"") + name + "\" must be an object");
    }
    for (const auto& [key, value] : section->items()) {
        store(key, value_text(value, name, key));
    }
}

std::int32_t channel_id(const std::string& text) {
    std::int32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw invalid_buffer("the channel id \"" + text + "\" is not a 32-bit integer");
    }
    return id;
}

}  // namespace

sensor_data_wrapper::sensor_data_wrapper(const std::uint8_t* data, std::uint32_t length) {
    try {
        if (data == nullptr || length == 0) {
            throw invalid_buffer("the settings buffer is empty");
        }
        const auto* text = reinterpret_cast<const char*>(data);
        const json root = json::parse(text, text + length);
        if (!root.is_object()) {
            throw invalid_buffer("the settings buffer is not a JSON object");
        }
        const json* kind = member(root, "kind");
        if (kind == nullptr || !kind->is_string()) {
            throw invalid_buffer("the member \"kind\" must be a string");
        }
        kind_ = kind->get<std::string>();
        if (member(root, "settings") == nullptr) {
            throw invalid_buffer("the member \"settings\" is missing");
        }
        read_section(root, "settings", [&](const std::string& key, std::string value) {
            settings_.emplace_back(key, std::move(value));
        });
        read_section(root, "secure_settings", [&](const std::string& key, const std::string& value) {
            secure_settings_.emplace_back(key, secure_string(value));
        });
        read_section(root, "channels", [&](const std::string& key, std::string value) {
            channels_.emplace(channel_id(key), std::move(value));
        });
        read_section(root, "persistent_data", [&](const std::string& key, std::string value) {
            persistent_data_.emplace(key, std::move(value));
        });
    } catch (const std::exception& error) {
        error_ = std::string("Invalid settings buffer: ") + error.what();
        kind_.clear();
        settings_.clear();
        secure_settings_.clear();
        channels_.clear();
        persistent_data_.clear();
    }
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
    json_writer out;
    out.begin_object().key("kind").value(kind_);
    out.key("settings").begin_object();
    for (const auto& [key, value] : settings_) {
        out.key(key).value(value);
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
