#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/secure_string.h"

namespace orvane::tessel::libvexahelper {

// Bounds of an integer setting; the setting's name only serves the error messages.
struct integer_rules {
    std::optional<std::int64_t> minimum;
    std::optional<std::int64_t> maximum;
    std::string_view setting;
};

// Rules of a text setting: an optional length limit in bytes.
struct string_rules {
    std::optional<std::size_t> max_length;
    std::string_view setting;
};

struct kind_integer {
    // An empty text gives no value; anything else must be a whole decimal number inside the bounds.
    static std::optional<std::int64_t> parse_and_validate(std::string_view text, const integer_rules& rules);
};

struct kind_string {
    static std::string parse_and_validate(std::string_view text, const string_rules& rules);
};

struct kind_securestring {
    static secure_string parse_and_validate(const secure_string& text, const string_rules& rules);
};

}  // namespace orvane::tessel::libvexahelper
