#pragma once

#include <compare>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::tessel::aws::definition::docgen {

// The blocks of the English translation, in document order. Every other language keeps the same
// relative order, so this is the only place that decides where a key goes.
enum class key_block {
    proxy_section,        // "httpproxy.display"
    proxy_group,          // "httpproxygroup." keys
    status_codes,         // "lookup.status_code." keys, as listed in the English texts file
    library,              // "libi18n.", "libparser.", "libjsonparser.", "libvexahelper." keys, as listed
    module,               // "module.display", "module.description"
    channels,             // "channel." keys, as listed
    errors,               // "error." keys, as listed
    metascan,             // "metascan." keys, as listed
    sensors,              // sensors with a meta-scan: by sensor name
    sections,             // sensor-specific sections: by section name
    groups,               // by group name, then setting name
    lookups,              // by lookup name, then value in declaration order
    cost_sensor,          // "awscost." keys
    credentials_section,  // "awscredentials.display"
};

// What a structural key was derived from.
enum class entity { module, sensor, section, group, lookup };

// Where a key sorts: block, then the entity's name, then the setting's name (groups only), then the
// position of the field within its entity (or of the key within the English texts file).
struct order_key {
    key_block block;
    std::string entity_name;
    std::string setting_name;
    std::size_t position;

    auto operator<=>(const order_key&) const = default;
};

// The block of a key derived from the structure. A few shared entities have blocks of their own.
key_block block_of(entity kind, std::string_view name) noexcept;

// The block of a key from the English texts file; none when the key belongs to no message block.
std::optional<key_block> message_block_of(std::string_view key) noexcept;

std::string_view block_name(key_block block) noexcept;

}  // namespace orvane::tessel::aws::definition::docgen
