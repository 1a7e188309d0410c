#pragma once

namespace orvane::tessel::aws {

// A variant of a sensor kind (metric or composite alarm, application or network load balancer),
// chosen once when the sensor is created; the sensor delegates its scans to it.
class sub_sensor_interface {
public:
    virtual ~sub_sensor_interface() = default;
    virtual void work() = 0;
};

}  // namespace orvane::tessel::aws
