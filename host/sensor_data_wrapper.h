#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/persistent_data_storage.h"
#include "host/secure_string.h"
#include "libs/i18n/i18n.h"

namespace orvane::tessel::libvexahelper {

// The settings buffer the host sends with CreateSensorInstance, ExecuteCheck and ExecuteMetaScan:
// one UTF-8 JSON object with the kind, the plain and the secure settings, the channels the host
// knows and the sensor's persistent data. Construction never throws: a buffer that is not such an
// object makes the wrapper invalid, with the reason in error(). The reason says what is wrong and
// where, never which bytes: a broken buffer may be broken inside a secret.
class sensor_data_wrapper {
public:
    sensor_data_wrapper(const std::uint8_t* data, std::uint32_t length);

    bool is_valid() const noexcept { return valid_; }
    const libi18n::i18n_msg& error() const noexcept { return error_; }

    // The registered sensor, check or meta-scan kind the settings are for.
    const std::string& kind() const noexcept { return kind_; }

    // The plain value of a setting; throws setting_not_available when the host did not send it.
    const std::string& lookup(std::string_view key) const;
    // The value of a secret setting.
    secure_string lookup_secure(std::string_view key) const;

    // Everything the host sent, as JSON, with every secret value replaced by "***". For a buffer that
    // could not be read: its length, the reason and an excerpt with every secret replaced.
    std::string to_json() const;

    std::map<std::int32_t, std::string> get_channels() const { return channels_; }
    persistent_data_storage::map_type get_persistent_data() const { return persistent_data_; }

private:
    // Fills the sections; the reason when the buffer cannot be read.
    std::optional<libi18n::i18n_msg> read(std::string_view text);

    using entries = std::vector<std::pair<std::string, std::string>>;

    bool valid_ = true;
    libi18n::i18n_msg error_;
    std::string unreadable_;  // the safe description of a buffer that could not be read
    std::string kind_;
    entries settings_;
    std::vector<std::pair<std::string, secure_string>> secure_settings_;
    std::map<std::int32_t, std::string> channels_;
    persistent_data_storage::map_type persistent_data_;
};

}  // namespace orvane::tessel::libvexahelper
