#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "module/module_instance.h"

namespace orvane::tessel::libvexahelper::module {

// What each entry point calls: logs the operation's banners and the settings it received, wraps the
// host's buffer and forwards to the dispatcher, whose response code it returns unchanged.
class module_instance_adapter {
public:
    explicit module_instance_adapter(std::unique_ptr<module_instance> module);

    void get_module_information(bool load_languages);
    std::int32_t create_sensor_instance(std::int32_t sensor_id, const std::uint8_t* buffer,
                                        std::uint32_t length);
    std::int32_t execute_sensor_scan(std::int32_t sensor_id);
    std::int32_t destroy_sensor_instance(std::int32_t sensor_id);
    std::int32_t execute_meta_scan(std::int32_t id, std::uint32_t request_number, const std::uint8_t* buffer,
                                   std::uint32_t length);
    std::int32_t execute_check(std::int32_t id, const std::uint8_t* buffer, std::uint32_t length);

    // One line of the module's log at level 7; dropped silently when there is no log.
    void log(std::string_view text);

    const module_instance& module() const noexcept { return *module_; }

private:
    std::unique_ptr<module_instance> module_;
};

}  // namespace orvane::tessel::libvexahelper::module
