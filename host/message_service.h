#pragma once

#include <cstdint>
#include <functional>

#include "host/messages.h"

namespace orvane::tessel::libvexahelper {

class message_service_interface {
public:
    virtual ~message_service_interface() = default;
    // Serialises the message and hands it to the host in one call.
    virtual void send(const vexa_message& message) = 0;
};

class message_service final : public message_service_interface {
public:
    using send_function = std::function<void(const std::uint8_t* buffer, std::uint32_t length)>;

    explicit message_service(send_function send) : send_(std::move(send)) {}
    void send(const vexa_message& message) override;

private:
    send_function send_;
};

}  // namespace orvane::tessel::libvexahelper
