#include "host/kinds.h"

#include <charconv>

#include "host/exceptions.h"

namespace orvane::tessel::libvexahelper {

namespace exceptions = utils::exceptions;

std::optional<std::int64_t> kind_integer::parse_and_validate(std::string_view text,
                                                             const integer_rules& rules) {
    if (text.empty()) {
        return std::nullopt;
    }
    // A leading plus sign is accepted like the standard conversions do; from_chars alone refuses it.
    std::string_view digits = text;
    if (digits.size() > 1 && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        throw exceptions::setting_invalid(std::string(text), std::string(rules.setting));
    }
    if (rules.minimum && value < *rules.minimum) {
        throw exceptions::setting_invalid_less_min(std::string(text), std::string(rules.setting),
                                                   std::to_string(*rules.minimum));
    }
    if (rules.maximum && value > *rules.maximum) {
        throw exceptions::setting_invalid_bigger_max(std::string(text), std::string(rules.setting),
                                                     std::to_string(*rules.maximum));
    }
    return value;
}

std::string kind_string::parse_and_validate(std::string_view text, const string_rules& rules) {
    if (rules.max_length && text.size() > *rules.max_length) {
        throw exceptions::string_too_long(std::string(rules.setting), *rules.max_length);
    }
    return std::string(text);
}

secure_string kind_securestring::parse_and_validate(const secure_string& text, const string_rules& rules) {
    if (rules.max_length && text.size() > *rules.max_length) {
        throw exceptions::string_too_long(std::string(rules.setting), *rules.max_length);
    }
    return text;
}

}  // namespace orvane::tessel::libvexahelper
