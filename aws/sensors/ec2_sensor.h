#pragma once

#include "framework/settings/records.h"
#include "framework/templates/sensor_base.h"

namespace orvane::tessel::aws {

// One EC2 instance: CPU, network, disk, CPU credits and the two status checks from CloudWatch.
class ec2_sensor final : public libvexahelper::sensors::sensor_base<settings::ec2_sensor> {
public:
    explicit ec2_sensor(libvexahelper::sensor_context<settings_type> context);

    void work() override;
};

}  // namespace orvane::tessel::aws
