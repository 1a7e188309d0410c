#include "host/message_service.h"

#include <limits>

#include "host/exceptions.h"

namespace orvane::tessel::libvexahelper {

void message_service::send(const vexa_message& message) {
    const std::string buffer = message.serialize();
    constexpr std::size_t maximum = std::numeric_limits<std::uint32_t>::max();
    if (buffer.size() > maximum) {
        throw utils::exceptions::message_too_long(buffer.size(), maximum);
    }
    send_(reinterpret_cast<const std::uint8_t*>(buffer.data()), static_cast<std::uint32_t>(buffer.size()));
}

}  // namespace orvane::tessel::libvexahelper
