#pragma once

#include <memory>

#include "aws/clients/credential_settings.h"
#include "host/service_container.h"

namespace orvane::tessel::aws {

// The function type of a client factory: one client per credential settings, owned by the caller.
template <class Interface>
using client_factory_function = std::unique_ptr<Interface>(credential_settings);

// The live client for these settings, or a new one: scans that run at the same time with equal
// settings share a client, and nothing keeps it alive once the last of them drops it.
template <class Interface>
std::shared_ptr<Interface> obtain_client(libvexahelper::service_container& container,
                                         const credential_settings& key) {
    return container.get<Interface, credential_settings, credential_settings_hash, credential_settings_equal>(
        key);
}

}  // namespace orvane::tessel::aws
