#include "tests/support/settings_buffer.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace orvane::tessel::test_support {

namespace {

void put(std::vector<std::pair<std::string, std::string>>& entries, const std::string& key,
         const std::string& value) {
    const auto it =
        std::find_if(entries.begin(), entries.end(), [&](const auto& entry) { return entry.first == key; });
    if (it == entries.end()) {
        entries.emplace_back(key, value);
    } else {
        it->second = value;
    }
}

}  // namespace

settings_buffer::settings_buffer(std::string kind) : kind_(std::move(kind)) {
    settings_ = {
        {"host", "aws.example"},
        {"logging", "enabled"},
        {"interval", "300"},
        {"timeout", "60"},
        {"ipversion", "IPv4"},
        {"awscredentials.credentials_group.access_key", "AKIDEXAMPLE"},
        {"httpproxy.httpproxygroup.name", ""},
        {"httpproxy.httpproxygroup.port", "8080"},
        {"httpproxy.httpproxygroup.user", ""},
    };
    secure_ = {
        {"awscredentials.credentials_group.secret_key", "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"},
        {"httpproxy.httpproxygroup.password", ""},
        {"orvanecloudapikey", ""},
    };
}

settings_buffer& settings_buffer::set(const std::string& key, const std::string& value) {
    put(settings_, key, value);
    return *this;
}

settings_buffer& settings_buffer::secure(const std::string& key, const std::string& value) {
    put(secure_, key, value);
    return *this;
}

settings_buffer& settings_buffer::remove(const std::string& key) {
    const auto matches = [&](const auto& entry) { return entry.first == key; };
    settings_.erase(std::remove_if(settings_.begin(), settings_.end(), matches), settings_.end());
    secure_.erase(std::remove_if(secure_.begin(), secure_.end(), matches), secure_.end());
    return *this;
}

settings_buffer& settings_buffer::clear() {
    settings_.clear();
    secure_.clear();
    return *this;
}

settings_buffer& settings_buffer::channel(std::int32_t id, const std::string& name) {
    channels_[id] = name;
    return *this;
}

settings_buffer& settings_buffer::persistent(const std::string& key, const std::string& value) {
    persistent_[key] = value;
    return *this;
}

std::string settings_buffer::json() const {
    nlohmann::ordered_json root;
    root["kind"] = kind_;
    root["settings"] = nlohmann::ordered_json::object();
    for (const auto& [key, value] : settings_) {
        root["settings"][key] = value;
    }
    root["secure_settings"] = nlohmann::ordered_json::object();
    for (const auto& [key, value] : secure_) {
        root["secure_settings"][key] = value;
    }
    if (!channels_.empty()) {
        for (const auto& [id, name] : channels_) {
            root["channels"][std::to_string(id)] = name;
        }
    }
    if (!persistent_.empty()) {
        for (const auto& [key, value] : persistent_) {
            root["persistent_data"][key] = value;
        }
    }
    return root.dump();
}

libvexahelper::sensor_data_wrapper settings_buffer::wrapper() const {
    const std::string text = json();
    return {reinterpret_cast<const std::uint8_t*>(text.data()), static_cast<std::uint32_t>(text.size())};
}

}  // namespace orvane::tessel::test_support
