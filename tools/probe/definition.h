#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace orvane::tessel::probe {

// Questions the probe asks the module's definition document. Everything the probe knows about
// kinds, settings and their defaults comes from the document the module sent, never from a copy.

enum class kind_category { sensor, check, meta_scan };

// The category of a kind as the definition document declares it; nullopt for unknown kinds.
std::optional<kind_category> category_of(const nlohmann::ordered_json& document, const std::string& kind);

// One declared setting: its full key (section.group.setting), its default (empty when the document
// gives none, as a host sends an untouched field), and whether it is secret.
struct declared_setting {
    std::string key;
    std::string default_value;
    bool secure = false;
};

// Every setting a kind receives: its own sections and, for a sensor, the section that its first
// meta-scan fills, since a sensor is made from a discovered row.
std::vector<declared_setting> settings_of(const nlohmann::ordered_json& document, const std::string& kind,
                                          kind_category category);

// Keys of every secret setting in the document (and the common cloud API key).
std::vector<std::string> secure_keys(const nlohmann::ordered_json& document);

// Where a sensor kind keeps what identifies its resource: the setting its meta-scan group flags as the
// discovery id, and the group's region setting. Empty for kinds without a meta-scan (the cost sensor).
struct resource_keys {
    std::string id;
    std::string region;
};
std::optional<resource_keys> resource_keys_of(const nlohmann::ordered_json& document,
                                              const std::string& kind);

struct interval_bounds {
    std::int64_t minimum = 0;
    std::int64_t recommended = 0;
};
interval_bounds intervals_of(const nlohmann::ordered_json& document, const std::string& sensor_kind);

// Sensor kinds in document order, with the meta-scan that discovers their resources (if any).
struct sensor_kind {
    std::string name;
    std::optional<std::string> meta_scan;
};
std::vector<sensor_kind> sensor_kinds(const nlohmann::ordered_json& document);

}  // namespace orvane::tessel::probe
