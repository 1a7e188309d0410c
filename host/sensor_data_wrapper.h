#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/persistent_data_storage.h"
#include "host/secure_string.h"

namespace orvane::tessel::libvexahelper {

// The settings buffer the host sends with CreateSensorInstance, ExecuteCheck and ExecuteMetaScan:
// one UTF-8 JSON object with the kind, the plain and the secure settings, the channels the host
// knows and the sensor's persistent data. Construction never throws: a buffer that is not such an
// object makes the wrapper invalid, with the reason in error().
class sensor_data_wrapper {
public:
    sensor_data_wrapper(const std::uint8_t* data, std::uint32_t length);

    bool is_valid() const noexcept { return error_.empty(); }
    const std::string& error() const noexcept { return error_; }

    // The registered sensor, check or meta-scan kind the settings are for.
    const std::string& kind() const noexcept { return kind_; }

    // The plain value of a setting; throws setting_not_available when the host did not send it.
    const std::string& lookup(std::string_view key) const;
    // The value of a secret setting.
    secure_string lookup_secure(std::string_view key) const;

    // Everything the host sent, as JSON, with every secure value replaced by "***".
    std::string to_json() const;

    std::map<std::int32_t, std::string> get_channels() const { return channels_; }
    persistent_data_storage::map_type get_persistent_data() const { return persistent_data_; }

private:
    using entries = std::vector<std::pair<std::string, std::string>>;

    std::string error_;
    std::string kind_;
    entries settings_;
    std::vector<std::pair<std::string, secure_string>> secure_settings_;
    std::map<std::int32_t, std::string> channels_;
    persistent_data_storage::map_type persistent_data_;
};

}  // namespace orvane::tessel::libvexahelper
