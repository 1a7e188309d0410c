#pragma once

#include "aws/sensors/metric_sensor.h"
#include "framework/settings/records.h"

namespace orvane::tessel::aws {

// One EBS volume: its state from EC2, and bandwidth, operations, latency, idle time, queue length
// and burst balance from CloudWatch.
extern const metric_kind<settings::ebs_sensor> ebs_kind;
using ebs_sensor = metric_sensor<settings::ebs_sensor, ebs_kind>;

}  // namespace orvane::tessel::aws
