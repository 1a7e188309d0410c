#include "host/channel_map.h"

#include "host/exceptions.h"

namespace orvane::tessel::libvexahelper {

void channel_map::register_definition(const dynamic_channel_options& options) {
    const auto [it, inserted] = definitions_.try_emplace(options.channel_id, options);
    if (!inserted) {
        throw utils::exceptions::channel_already_defined(options.channel_id, it->second.name);
    }
}

const dynamic_channel_options& channel_map::definition(std::int32_t channel_id) const {
    const auto it = definitions_.find(channel_id);
    if (it == definitions_.end()) {
        throw utils::exceptions::channel_not_defined(channel_id);
    }
    return it->second;
}

}  // namespace orvane::tessel::libvexahelper
