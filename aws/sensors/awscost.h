#pragma once

#include <cstdint>
#include <string>

#include "framework/settings/records.h"
#include "framework/templates/sensor_base.h"

namespace orvane::tessel::aws {

// The scan message: what the scan's Cost Explorer requests cost, with three significant digits.
std::string api_cost_text(std::uint32_t requests);

// The account's costs of the current month and year and, on request, their forecasts, in the
// billing currency that the sensor saw first.
class awscost final : public libvexahelper::sensors::sensor_base<settings::awscost> {
public:
    explicit awscost(libvexahelper::sensor_context<settings_type> context);

    void work() override;
};

}  // namespace orvane::tessel::aws
