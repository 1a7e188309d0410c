#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/settings/records.h"

namespace orvane::tessel::aws {

// The pseudo-region of calls that belong to no region (the region list, Cost Explorer): the SDK's
// default region stays in force.
inline constexpr std::string_view global_region = "aws-global";

struct proxy_settings {
    std::string host;  // empty: no proxy
    std::optional<std::uint16_t> port;
    std::string user;
    std::string password;

    bool operator==(const proxy_settings&) const = default;
};

// Everything an AWS client is made from; the key under which scans with equal settings share one.
// Hash and equality both cover all four fields: two sensors that differ only in their proxy must
// not share a client configured with the other one's proxy.
struct credential_settings {
    std::string access_key;
    std::string secret_key;
    proxy_settings proxy;
    std::string region;

    bool operator==(const credential_settings&) const = default;
};

struct credential_settings_hash {
    std::size_t operator()(const credential_settings& key) const noexcept;
};

using credential_settings_equal = std::equal_to<credential_settings>;

// How a key appears in messages: never with the secret key or the proxy password.
std::string key_text(const credential_settings& key);

// From the settings every sensor, check and meta-scan carries.
credential_settings make_credential_settings(const settings::credentials_group& credentials,
                                             const settings::httpproxygroup& proxy, std::string region);

}  // namespace orvane::tessel::aws
