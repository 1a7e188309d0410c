#include "tools/probe/settings_builder.h"

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;

constexpr const char* access_key_setting = "awscredentials.credentials_group.access_key";
constexpr const char* secret_key_setting = "awscredentials.credentials_group.secret_key";

const nlohmann::ordered_json& sections_of(const nlohmann::ordered_json& document, const std::string& kind,
                                          kind_category category) {
    switch (category) {
        case kind_category::sensor:
            return document.at("Sensors").at(kind).at("Settings").at("Sections");
        case kind_category::check:
            return document.at("Checks").at(kind).at("Sections");
        case kind_category::meta_scan:
            return document.at("MetaScans").at(kind).at("Sections");
    }
    throw std::logic_error("unknown kind category");
}

// Settings that the document marks as secure, by full key; the cloud API key is always secret.
std::set<std::string> secure_keys(const nlohmann::ordered_json& document) {
    std::set<std::string> keys{"orvanecloudapikey"};
    for (const auto& [section_name, section] : document.at("Sections").items()) {
        for (const auto& group_name : section.at("Groups")) {
            for (const auto& item : document.at("Groups").at(group_name.get<std::string>()).at("Items")) {
                const auto& setting = item.at("Setting");
                if (setting.contains("Text") && setting.at("Text").contains("Security")) {
                    keys.insert(section_name + "." + group_name.get<std::string>() + "." +
                                setting.at("Name").get<std::string>());
                }
            }
        }
    }
    return keys;
}

json defaults(const nlohmann::ordered_json& document, const std::string& kind, kind_category category) {
    const auto secure = secure_keys(document);
    json settings = json::object();
    json secrets = json::object();
    const std::int64_t interval =
        category == kind_category::sensor
            ? document.at("Sensors").at(kind).at("RecommendedInterval").get<std::int64_t>()
            : 300;
    settings["host"] = "aws.amazon.com";
    settings["logging"] = "enabled";
    settings["interval"] = std::to_string(interval);
    settings["timeout"] = "60";
    settings["ipversion"] = "IPv4";
    secrets["orvanecloudapikey"] = "";
    for (const auto& section_name : sections_of(document, kind, category)) {
        const auto& section = document.at("Sections").at(section_name.get<std::string>());
        for (const auto& group_name : section.at("Groups")) {
            for (const auto& item : document.at("Groups").at(group_name.get<std::string>()).at("Items")) {
                const auto& setting = item.at("Setting");
                const std::string key = section_name.get<std::string>() + "." +
                                        group_name.get<std::string>() + "." +
                                        setting.at("Name").get<std::string>();
                const std::string value = setting.value("Default", "");
                (secure.contains(key) ? secrets : settings)[key] = value;
            }
        }
    }
    json root;
    root["kind"] = kind;
    root["settings"] = std::move(settings);
    root["secure_settings"] = std::move(secrets);
    return root;
}

json read_file(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read the settings file " + path);
    }
    std::stringstream text;
    text << file.rdbuf();
    return json::parse(text.str());
}

}  // namespace

std::optional<kind_category> category_of(const nlohmann::ordered_json& document, const std::string& kind) {
    if (document.at("Sensors").contains(kind)) {
        return kind_category::sensor;
    }
    if (document.at("Checks").contains(kind)) {
        return kind_category::check;
    }
    if (document.at("MetaScans").contains(kind)) {
        return kind_category::meta_scan;
    }
    return std::nullopt;
}

std::string build_settings(const nlohmann::ordered_json& document, const settings_request& request) {
    json root;
    if (request.file) {
        root = read_file(*request.file);
        if (!request.kind.empty()) {
            root["kind"] = request.kind;
        }
    } else {
        const auto category = category_of(document, request.kind);
        if (!category) {
            throw std::runtime_error("the module has no kind named \"" + request.kind + "\"");
        }
        root = defaults(document, request.kind, *category);
    }
    const auto secure = secure_keys(document);
    const auto put = [&](const std::string& key, const std::string& value) {
        root[secure.contains(key) ? "secure_settings" : "settings"][key] = value;
    };
    if (!request.access_key.empty()) {
        put(access_key_setting, request.access_key);
    }
    if (!request.secret_key.empty()) {
        put(secret_key_setting, request.secret_key);
    }
    for (const auto& [key, value] : request.overrides) {
        put(key, value);
    }
    return root.dump();
}

}  // namespace orvane::tessel::probe
