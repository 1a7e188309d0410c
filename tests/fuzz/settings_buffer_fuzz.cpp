// The settings wrapper on any bytes, with a secret planted where the secure settings hold it: the
// wrapper never throws, its JSON and its reason are strict UTF-8 JSON and show no piece of the secret.
#include <cstdint>
#include <string>

#include "host/sensor_data_wrapper.h"
#include "host/settings_excerpt.h"
#include "libs/stringutils/safe_text.h"
#include "tests/fuzz/fuzz_support.h"

namespace fuzz = orvane::tessel::fuzz;
using orvane::tessel::libvexahelper::sensor_data_wrapper;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (fuzz::holds_secret_fragment(input)) {
        return -1;  // a secret the host put anywhere else is not one
    }
    const auto [before, after] = fuzz::split_at_nul(input);
    std::string buffer(before);
    buffer.append(R"("secure_settings":{"awscredentials.credentials_group.secret_key":")")
        .append(fuzz::secret)
        .append(after);

    const sensor_data_wrapper wrapper(reinterpret_cast<const std::uint8_t*>(buffer.data()),
                                      static_cast<std::uint32_t>(buffer.size()));
    const std::string rendered = wrapper.to_json();
    fuzz::require_strict_json(rendered);
    fuzz::require_no_secret("the settings JSON", rendered);
    std::string message;
    orvane::tessel::libstringutils::append_json_string(message, wrapper.error().encoded());
    fuzz::require_no_secret("the reason", message);
    fuzz::require_no_secret("the reason", wrapper.error().english());

    // The excerpt alone, on the bytes as they came, with a limit that falls anywhere.
    static_cast<void>(orvane::tessel::libvexahelper::settings_excerpt(input, size % 97));
    return 0;
}
