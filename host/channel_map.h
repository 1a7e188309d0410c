#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

namespace orvane::tessel::libvexahelper {

// How a channel's values travel: lookup states and integers as 64-bit integers, the rest as doubles.
enum class value_mode : std::int32_t {
    unset = 0,
    lookup = 1,
    integer = 2,
    floating_point = 3,
};

// The unit code that makes custom_unit the channel's unit text.
inline constexpr std::int32_t custom_unit_code = 8;

struct channel_limit {
    bool enabled = false;
    double value = 0.0;

    bool operator==(const channel_limit&) const = default;
};

// Everything the host needs to create a channel. Field order and defaults are part of the host
// contract; sensors set the fields they need and leave the others alone.
struct dynamic_channel_options {
    std::int32_t channel_id = 0;
    std::string name;          // i18n key of the channel's name, "channel.<name>"
    std::string display_text;  // plain name of a channel created at run time, else empty
    value_mode mode = value_mode::unset;
    std::int32_t unit = 0;
    std::string custom_unit;  // unit text when unit is custom_unit_code
    std::int32_t size_unit = 0;
    std::int32_t speed_unit = 0;
    std::int32_t size_code = 0;  // unit in which a byte or bit value was measured
    bool hidden = false;
    bool show_chart = true;
    bool show_table = true;
    std::int32_t decimal_mode = 0;
    std::int32_t decimal_digits = 0;
    bool limit_mode = false;
    // Lower error, upper error, lower warning, upper warning.
    std::array<channel_limit, 4> limits{};
    std::string limit_error_message;
    std::string limit_warning_message;
    std::string value_lookup;
    std::int32_t scale_mode = 0;
    double scale_factor = 1.0;

    bool operator==(const dynamic_channel_options&) const = default;
};

// The channels of one sensor: those the host already knows (from the settings it sent) and the
// definitions the sensor registered in its life.
class channel_map {
public:
    channel_map() = default;
    explicit channel_map(std::map<std::int32_t, std::string> known_to_runtime)
        : known_to_runtime_(std::move(known_to_runtime)) {}

    bool is_known_to_runtime(std::int32_t channel_id) const { return known_to_runtime_.contains(channel_id); }
    bool is_definition_registered(std::int32_t channel_id) const { return definitions_.contains(channel_id); }

    // Throws channel_already_defined when the id is taken.
    void register_definition(const dynamic_channel_options& options);

    // The registered definition of the id; throws channel_not_defined.
    const dynamic_channel_options& definition(std::int32_t channel_id) const;

private:
    std::map<std::int32_t, std::string> known_to_runtime_;
    std::unordered_map<std::int32_t, dynamic_channel_options> definitions_;
};

}  // namespace orvane::tessel::libvexahelper
