#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/sensor_data_wrapper.h"

namespace orvane::tessel::test_support {

// Builds the settings buffer a host sends: defaults for every common, credential and proxy setting,
// which a test then adjusts.
class settings_buffer {
public:
    explicit settings_buffer(std::string kind);

    settings_buffer& set(const std::string& key, const std::string& value);
    settings_buffer& secure(const std::string& key, const std::string& value);
    settings_buffer& remove(const std::string& key);
    // Removes every setting, the defaults included.
    settings_buffer& clear();
    settings_buffer& channel(std::int32_t id, const std::string& name);
    settings_buffer& persistent(const std::string& key, const std::string& value);

    std::string json() const;
    libvexahelper::sensor_data_wrapper wrapper() const;

private:
    std::string kind_;
    std::vector<std::pair<std::string, std::string>> settings_;
    std::vector<std::pair<std::string, std::string>> secure_;
    std::map<std::int32_t, std::string> channels_;
    std::map<std::string, std::string> persistent_;
};

}  // namespace orvane::tessel::test_support
