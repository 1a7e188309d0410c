#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvane::tessel::probe {

enum class kind_category { sensor, check, meta_scan };

// The category of a kind as the definition document declares it; nullopt for unknown kinds.
std::optional<kind_category> category_of(const nlohmann::ordered_json& document, const std::string& kind);

// What the user asked for on the command line.
struct settings_request {
    std::string kind;
    std::optional<std::string> file;                             // a settings buffer to start from
    std::vector<std::pair<std::string, std::string>> overrides;  // --set KEY=VALUE, in order
    std::string access_key;
    std::string secret_key;
};

// A settings buffer in the host's wire format: from the file if one is given, otherwise from the
// kind's settings sections with their defaults and the common settings; then the overrides. Secret
// settings (those the document marks as secure) go to secure_settings.
std::string build_settings(const nlohmann::ordered_json& document, const settings_request& request);

}  // namespace orvane::tessel::probe
