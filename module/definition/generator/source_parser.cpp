#include "source_parser.h"

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "docgen_error.h"

namespace orvane::tessel::aws::definition::docgen {

using nlohmann::ordered_json;

ordered_json parse_source(std::string_view text, std::string_view origin) {
    std::vector<std::set<std::string>> open_objects;
    std::string duplicate;
    const ordered_json::parser_callback_t track_keys = [&](int /*depth*/, ordered_json::parse_event_t event,
                                                           ordered_json& parsed) {
        switch (event) {
            case ordered_json::parse_event_t::object_start:
                open_objects.emplace_back();
                break;
            case ordered_json::parse_event_t::object_end:
                open_objects.pop_back();
                break;
            case ordered_json::parse_event_t::key:
                if (!open_objects.back().insert(parsed.get<std::string>()).second && duplicate.empty()) {
                    duplicate = parsed.get<std::string>();
                }
                break;
            default:
                break;
        }
        return true;
    };
    ordered_json result;
    try {
        result = ordered_json::parse(text.begin(), text.end(), track_keys);
    } catch (const ordered_json::parse_error& error) {
        throw docgen_error(std::string(origin) + ": " + error.what());
    }
    if (!duplicate.empty()) {
        throw docgen_error(std::string(origin) + ": key \"" + duplicate + "\" appears twice in one object");
    }
    return result;
}

ordered_json read_source(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw docgen_error(path.string() + ": cannot be read");
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse_source(text, path.string());
}

}  // namespace orvane::tessel::aws::definition::docgen
