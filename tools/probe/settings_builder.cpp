#include "tools/probe/settings_builder.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;

constexpr const char* access_key_setting = "awscredentials.credentials_group.access_key";
constexpr const char* secret_key_setting = "awscredentials.credentials_group.secret_key";

// The settings a host sends with every kind; the document does not declare them.
json common_settings(const json& document, const std::string& kind, kind_category category) {
    const std::int64_t interval =
        category == kind_category::sensor ? intervals_of(document, kind).recommended : 300;
    return json{{"host", "aws.amazon.com"},
                {"logging", "enabled"},
                {"interval", std::to_string(interval)},
                {"timeout", "60"},
                {"ipversion", "IPv4"}};
}

json defaults(const json& document, const std::string& kind) {
    const auto category = category_of(document, kind);
    if (!category) {
        throw usage_error("the module has no kind named \"" + kind + "\" (probe info lists them)");
    }
    json settings = common_settings(document, kind, *category);
    json secrets = json{{"orvanecloudapikey", ""}};
    for (const auto& setting : settings_of(document, kind, *category)) {
        (setting.secure ? secrets : settings)[setting.key] = setting.default_value;
    }
    return json{{"kind", kind}, {"settings", std::move(settings)}, {"secure_settings", std::move(secrets)}};
}

std::string text_of(const json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

}  // namespace

json read_json_file(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw usage_error("cannot read " + path);
    }
    std::stringstream text;
    text << file.rdbuf();
    try {
        return json::parse(text.str());
    } catch (const json::parse_error&) {
        throw usage_error(path + " is not valid JSON");
    }
}

std::string build_settings(const json& document, const settings_request& request) {
    std::string kind = request.kind;
    if (kind.empty() && request.file && request.file->is_object()) {
        kind = text_of(request.file->value("kind", json("")));
    }
    json root = defaults(document, kind);
    const auto secure = secure_keys(document);
    const auto put = [&](const std::string& key, const std::string& value) {
        const bool secret = std::find(secure.begin(), secure.end(), key) != secure.end();
        root[secret ? "secure_settings" : "settings"][key] = value;
    };
    if (request.file) {
        if (!request.file->is_object()) {
            throw usage_error("a settings buffer is a JSON object");
        }
        for (const char* part : {"settings", "secure_settings"}) {
            const json values = request.file->value(part, json::object());
            if (!values.is_object()) {
                throw usage_error(std::string("the settings buffer's ") + part + " must be an object");
            }
            for (const auto& [key, value] : values.items()) {
                put(key, text_of(value));
            }
        }
        for (const char* part : {"channels", "persistent_data"}) {
            if (request.file->contains(part)) {
                root[part] = request.file->at(part);
            }
        }
    }
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
