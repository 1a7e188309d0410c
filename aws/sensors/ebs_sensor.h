#pragma once

#include "framework/settings/records.h"
#include "framework/templates/sensor_base.h"

namespace orvane::tessel::aws {

// One EBS volume: its state from EC2, and bandwidth, operations, latency, idle time, queue length
// and burst balance from CloudWatch.
class ebs_sensor final : public libvexahelper::sensors::sensor_base<settings::ebs_sensor> {
public:
    explicit ebs_sensor(libvexahelper::sensor_context<settings_type> context);

    void work() override;
};

}  // namespace orvane::tessel::aws
