#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/sensor_dispatcher.h"
#include "host/service_container.h"
#include "vexa_module.h"

namespace orvane::tessel::libvexahelper::module {

// The one long-lived object of the library: owns the service container and the dispatcher, and
// installs the message service that carries every message to the host's callback.
class module_instance {
public:
    module_instance(std::uint64_t host_handle, vexa_message_callback callback, std::string_view version);
    virtual ~module_instance() = default;
    module_instance(const module_instance&) = delete;
    module_instance& operator=(const module_instance&) = delete;

    // The module definition document.
    virtual std::string get_module_information() const = 0;

    std::uint64_t host_handle() const noexcept { return host_handle_; }
    const std::shared_ptr<service_container>& container() const noexcept { return container_; }
    const std::shared_ptr<sensor_dispatcher>& dispatcher() const noexcept { return dispatcher_; }

private:
    // Declared in this order so that the dispatcher (with its sensors) dies before the container.
    std::uint64_t host_handle_;
    std::shared_ptr<service_container> container_;
    std::shared_ptr<sensor_dispatcher> dispatcher_;
};

}  // namespace orvane::tessel::libvexahelper::module
