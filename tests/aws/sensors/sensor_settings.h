#pragma once

#include <map>
#include <string>

#include "tests/support/settings_buffer.h"

namespace orvane::tessel::test_support {

// A sensor's settings as a host sends them, interval 300: a meta-scan row of `resource` in us-east-1
// or, for the cost sensor (no resource), every switch off and the blended forecasts selected.
inline settings_buffer sensor_settings(const std::string& kind,
                                       const std::map<std::string, std::string>& resource) {
    settings_buffer buffer(kind);
    buffer.set("interval", "300");
    if (kind == "awscost") {
        const std::string group = "cost_specific_section.cost_";
        return buffer.set(group + "optional_channel_group.optional_channel", "disabled")
            .set(group + "optional_channel_group.cost_types", "")
            .set(group + "forecast_group.forecast_additional", "disabled")
            .set(group + "forecast_group.forecast_cost_types", "blended_cost");
    }
    const std::string base = kind.substr(0, kind.find('_'));
    const std::string prefix = base + "_metascan_section." + base + "_metascan_group.";
    for (const auto& [name, value] : resource) {
        buffer.set(prefix + name, value);
    }
    return buffer.set(prefix + "region", "us-east-1").set(prefix + "region_display_name", "US East");
}

}  // namespace orvane::tessel::test_support
