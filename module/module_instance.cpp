#include "module/module_instance.h"

#include "host/message_service.h"

namespace orvane::tessel::libvexahelper::module {

module_instance::module_instance(std::uint64_t host_handle, vexa_message_callback callback,
                                 std::string_view version)
    : host_handle_(host_handle),
      container_(std::make_shared<service_container>()),
      dispatcher_(std::make_shared<sensor_dispatcher>(container_, version)) {
    container_->factories().add<std::unique_ptr<message_service_interface>()>([host_handle, callback] {
        return std::make_unique<message_service>(
            [host_handle, callback](const std::uint8_t* buffer, std::uint32_t length) {
                callback(host_handle, buffer, length);
            });
    });
}

}  // namespace orvane::tessel::libvexahelper::module
