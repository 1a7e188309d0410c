#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace orvane::tessel::probe {

// Turns the module's messages into readable text: channel tables with names, units and lookup
// texts, progress lines, discovered resources and check outcomes.
class renderer {
public:
    renderer(std::ostream& out, const nlohmann::ordered_json& document);

    void render(const nlohmann::ordered_json& message);

    // A readable summary of the definition document.
    void summary(const nlohmann::ordered_json& module_information);

private:
    void scan_result(const nlohmann::ordered_json& message);
    void meta_scan_result(const nlohmann::ordered_json& message);
    std::string english(const std::string& key) const;
    std::string channel_name(const nlohmann::ordered_json& definition) const;
    std::string value_text(const nlohmann::ordered_json& definition,
                           const nlohmann::ordered_json& value) const;

    std::ostream& out_;
    const nlohmann::ordered_json& document_;
    std::map<std::int32_t, std::map<std::int32_t, nlohmann::ordered_json>>
        channels_;  // sensor -> channel -> definition
};

}  // namespace orvane::tessel::probe
