#pragma once

#include "aws/sensors/metric_sensor.h"
#include "framework/settings/records.h"

namespace orvane::tessel::aws {

// One EC2 instance: CPU, network, disk, CPU credits and the two status checks from CloudWatch.
extern const metric_kind<settings::ec2_sensor> ec2_kind;
using ec2_sensor = metric_sensor<settings::ec2_sensor, ec2_kind>;

}  // namespace orvane::tessel::aws
