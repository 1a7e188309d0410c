#pragma once

#include <cstdint>

namespace orvane::tessel::libvexahelper {

// Codes the dispatcher returns to the host. 0 is success for every operation; the failure codes
// start at 10 so that they never collide with the entry points' own 1 to 3. docs/host-protocol.md
// lists them.
enum class sensor_create_response_code : std::int32_t {
    success = 0,
    unknown_kind = 10,
    invalid_settings_buffer = 11,
    creation_failed = 12,
    sensor_already_exists = 13,
};

enum class sensor_scan_response_code : std::int32_t {
    success = 0,
    sensor_not_found = 14,
};

enum class sensor_destroy_response_code : std::int32_t {
    success = 0,
    sensor_not_found = 14,
};

enum class check_response_code : std::int32_t {
    success = 0,
    unknown_kind = 10,
    invalid_settings_buffer = 11,
    not_run = 12,  // the settings were rejected or the check could not be built; a failed result was sent
};

enum class meta_scan_response_code : std::int32_t {
    success = 0,
    unknown_kind = 10,
    invalid_settings_buffer = 11,
    not_run = 12,  // as for checks; a result with response 5 was sent
};

}  // namespace orvane::tessel::libvexahelper
