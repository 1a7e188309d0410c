#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/probe/definition.h"
#include "tools/probe/usage_error.h"

namespace orvane::tessel::probe {

// What the user asked for on the command line.
struct settings_request {
    std::string kind;
    std::optional<nlohmann::ordered_json> file;                  // a settings buffer to start from
    std::vector<std::pair<std::string, std::string>> overrides;  // --set KEY=VALUE, in order
    std::string access_key;
    std::string secret_key;
};

// Reads a JSON file the user named; usage_error when it cannot be read or parsed.
nlohmann::ordered_json read_json_file(const std::string& path);

// A settings buffer in the host's wire format. Every setting the kind receives starts at the
// document's default (or empty where it declares none), with the common settings a host always
// sends; then come the file's values, the credentials and the overrides. Secret settings (those the
// document marks as secure) go to secure_settings.
std::string build_settings(const nlohmann::ordered_json& document, const settings_request& request);

}  // namespace orvane::tessel::probe
