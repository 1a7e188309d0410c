#include "framework/settings/reader.h"

namespace orvane::tessel::aws::settings {

using namespace libvexahelper;

std::string reader::text(std::string_view setting) const {
    return kind_string::parse_and_validate(settings_.lookup(key(setting)), string_rules{{}, setting});
}

secure_string reader::secret(std::string_view setting) const {
    return kind_securestring::parse_and_validate(settings_.lookup_secure(key(setting)),
                                                 string_rules{{}, setting});
}

std::int64_t reader::integer(std::string_view setting, std::optional<std::int64_t> minimum,
                             std::optional<std::int64_t> maximum) const {
    // An empty value fails here with the standard bad-optional-access error.
    return kind_integer::parse_and_validate(settings_.lookup(key(setting)),
                                            integer_rules{minimum, maximum, setting})
        .value();
}

}  // namespace orvane::tessel::aws::settings
