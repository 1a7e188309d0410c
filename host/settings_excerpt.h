#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane::tessel::libvexahelper {

// Whether a setting of this key holds a secret: the secret key, the proxy password, the cloud API
// key, under their full or bare names.
bool is_secret_setting(std::string_view key);

// What a settings buffer that could not be read looked like, safe to log: its first `limit` bytes,
// each value of a secret setting and everything under "secure_settings" replaced by ***, and
// nothing after the first place where its structure breaks, since past that point no one can tell
// a secret from the rest. The bytes are otherwise as received; the log writer escapes them.
std::string settings_excerpt(std::string_view buffer, std::size_t limit);

}  // namespace orvane::tessel::libvexahelper
