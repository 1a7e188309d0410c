#pragma once

#include "framework/settings/records.h"
#include "framework/templates/sensor_base.h"

namespace orvane::tessel::aws {

// One RDS database instance: eighteen CloudWatch metrics, one floating-point channel each.
class rds_sensor final : public libvexahelper::sensors::sensor_base<settings::rds_sensor> {
public:
    explicit rds_sensor(libvexahelper::sensor_context<settings_type> context);

    void work() override;
};

}  // namespace orvane::tessel::aws
