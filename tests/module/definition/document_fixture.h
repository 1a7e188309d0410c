#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "module/definition/module_definition.h"

namespace orvane::tessel::aws::definition::testing {

using nlohmann::ordered_json;

inline std::string join(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const auto part : parts) {
        out += part;
    }
    return out;
}

inline const ordered_json& parsed_document() {
    static const ordered_json document = ordered_json::parse(definition::document());
    return document;
}

inline const ordered_json& translation(std::string_view language) {
    return parsed_document().at("Text").at(std::string(language)).at("Translation");
}

inline std::vector<std::string> keys_of(const ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) {
        keys.push_back(key);
    }
    return keys;
}

inline std::string display_of(const ordered_json& translated, const std::string& key) {
    return translated.at(key).at("Display").get<std::string>();
}

// Calls check(group name, group, item) for every item of every group.
template <typename Check>
void for_each_item(Check check) {
    for (const auto& [name, group] : parsed_document().at("Groups").items()) {
        for (const auto& item : group.at("Items")) {
            check(name, group, item);
        }
    }
}

constexpr std::string_view kTranslatedLanguages[] = {"Russian", "Brazilian", "Dutch",  "Japanese",
                                                     "French",  "Spanish",   "German", "SimplifiedChinese"};

}  // namespace orvane::tessel::aws::definition::testing
