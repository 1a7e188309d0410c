#include "tools/probe/definition.h"

#include <algorithm>

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;

constexpr const char* discovery_flag = "SettingFlagDiscoveryID";

std::optional<std::string> first_meta_step(const json& document, const std::string& sensor_kind) {
    const auto& sensor = document.at("Sensors").at(sensor_kind);
    if (!sensor.contains("FirstMetaStep")) {
        return std::nullopt;
    }
    return sensor.at("FirstMetaStep").get<std::string>();
}

std::vector<std::string> sections_of(const json& document, const std::string& kind, kind_category category) {
    std::vector<std::string> sections;
    const auto add = [&](const json& names) {
        for (const auto& name : names) {
            sections.push_back(name.get<std::string>());
        }
    };
    switch (category) {
        case kind_category::sensor:
            add(document.at("Sensors").at(kind).at("Settings").at("Sections"));
            if (const auto meta_scan = first_meta_step(document, kind)) {
                sections.push_back(document.at("MetaScans").at(*meta_scan).at("Section").get<std::string>());
            }
            break;
        case kind_category::check:
            add(document.at("Checks").at(kind).at("Sections"));
            break;
        case kind_category::meta_scan:
            add(document.at("MetaScans").at(kind).at("Sections"));
            break;
    }
    return sections;
}

// Calls visit(key, setting) for every setting of a section, in document order.
template <class Visitor>
void for_each_setting(const json& document, const std::string& section, Visitor&& visit) {
    for (const auto& group : document.at("Sections").at(section).at("Groups")) {
        const std::string group_name = group.get<std::string>();
        for (const auto& item : document.at("Groups").at(group_name).at("Items")) {
            const auto& setting = item.at("Setting");
            std::string key = section;
            key.append(".").append(group_name).append(".").append(setting.at("Name").get<std::string>());
            visit(std::move(key), setting);
        }
    }
}

bool is_secure(const json& setting) {
    return setting.contains("Text") && setting.at("Text").contains("Security");
}

bool has_flag(const json& setting, const char* flag) {
    const auto flags = setting.value("Flags", json::array());
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

}  // namespace

std::optional<kind_category> category_of(const json& document, const std::string& kind) {
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

std::vector<declared_setting> settings_of(const json& document, const std::string& kind,
                                          kind_category category) {
    std::vector<declared_setting> settings;
    for (const auto& section : sections_of(document, kind, category)) {
        for_each_setting(document, section, [&](std::string key, const json& setting) {
            settings.push_back({std::move(key), setting.value("Default", ""), is_secure(setting)});
        });
    }
    return settings;
}

std::vector<std::string> secure_keys(const json& document) {
    std::vector<std::string> keys{"orvanecloudapikey"};
    for (const auto& [section, unused] : document.at("Sections").items()) {
        for_each_setting(document, section, [&](std::string key, const json& setting) {
            if (is_secure(setting)) {
                keys.push_back(std::move(key));
            }
        });
    }
    return keys;
}

std::optional<resource_keys> resource_keys_of(const json& document, const std::string& kind) {
    const auto meta_scan = first_meta_step(document, kind);
    if (!meta_scan) {
        return std::nullopt;
    }
    resource_keys keys;
    const auto section = document.at("MetaScans").at(*meta_scan).at("Section").get<std::string>();
    for_each_setting(document, section, [&](std::string key, const json& setting) {
        if (has_flag(setting, discovery_flag)) {
            keys.id = key;
        } else if (setting.at("Name") == "region") {
            keys.region = std::move(key);
        }
    });
    return keys;
}

interval_bounds intervals_of(const json& document, const std::string& sensor_kind) {
    const auto& sensor = document.at("Sensors").at(sensor_kind);
    return {sensor.at("MinimumInterval").get<std::int64_t>(),
            sensor.at("RecommendedInterval").get<std::int64_t>()};
}

std::vector<sensor_kind> sensor_kinds(const json& document) {
    std::vector<sensor_kind> kinds;
    for (const auto& [name, unused] : document.at("Sensors").items()) {
        kinds.push_back({name, first_meta_step(document, name)});
    }
    return kinds;
}

}  // namespace orvane::tessel::probe
