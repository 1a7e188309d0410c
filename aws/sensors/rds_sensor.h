#pragma once

#include "aws/sensors/metric_sensor.h"
#include "framework/settings/records.h"

namespace orvane::tessel::aws {

// One RDS database instance: eighteen CloudWatch metrics, one floating-point channel each.
extern const metric_kind<settings::rds_sensor> rds_kind;
using rds_sensor = metric_sensor<settings::rds_sensor, rds_kind>;

}  // namespace orvane::tessel::aws
