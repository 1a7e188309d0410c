#include "aws/clients/credential_settings.h"

#include <functional>

namespace orvane::tessel::aws {

namespace {

// seed ^ (hash + 0x9E3779B9 + (seed << 6) + (seed >> 2)), in unsigned 32-bit arithmetic.
std::uint32_t combine(std::uint32_t seed, std::size_t field_hash) {
    const auto hash = static_cast<std::uint32_t>(field_hash);
    return seed ^ (hash + 0x9E3779B9u + (seed << 6) + (seed >> 2));
}

std::uint32_t hash_of(const proxy_settings& proxy) {
    std::uint32_t seed = 0;
    seed = combine(seed, std::hash<std::string>()(proxy.host));
    seed = combine(seed, proxy.port ? std::hash<std::uint16_t>()(*proxy.port) : 0);
    seed = combine(seed, std::hash<std::string>()(proxy.user));
    seed = combine(seed, std::hash<std::string>()(proxy.password));
    return seed;
}

}  // namespace

std::size_t credential_settings_hash::operator()(const credential_settings& key) const noexcept {
    std::uint32_t seed = 0;
    seed = combine(seed, std::hash<std::string>()(key.access_key));
    seed = combine(seed, std::hash<std::string>()(key.secret_key));
    seed = combine(seed, hash_of(key.proxy));
    seed = combine(seed, std::hash<std::string>()(key.region));
    return seed;
}

std::string key_text(const credential_settings& key) {
    std::string text = "access key ";
    text.append(key.access_key).append(", region ").append(key.region);
    if (!key.proxy.host.empty()) {
        text.append(", proxy ").append(key.proxy.host);
        if (key.proxy.port) {
            text.append(":").append(std::to_string(*key.proxy.port));
        }
    }
    return text;
}

credential_settings make_credential_settings(const settings::credentials_group& credentials,
                                             const settings::httpproxygroup& proxy, std::string region) {
    credential_settings key;
    key.access_key = credentials.access_key;
    key.secret_key = credentials.secret_key.get_as_plaintext();
    key.proxy.host = proxy.name;
    if (proxy.port >= 1 && proxy.port <= 65535) {
        key.proxy.port = static_cast<std::uint16_t>(proxy.port);
    }
    key.proxy.user = proxy.user;
    key.proxy.password = proxy.password.get_as_plaintext();
    key.region = std::move(region);
    return key;
}

}  // namespace orvane::tessel::aws
