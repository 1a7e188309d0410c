#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "aws/sensors/variant_sensor.h"
#include "framework/settings/records.h"
#include "framework/templates/sub_sensor_interface.h"

namespace orvane::tessel::aws {

// One CloudWatch alarm: its state on channel 0 and, by its type, the values of the metrics it
// watches or the states of its child alarms on channels whose ids the persistent data keeps.
class alarm_sensor final : public variant_sensor<settings::alarm_sensor> {
public:
    explicit alarm_sensor(libvexahelper::sensor_context<settings_type> context);

    void work() override;

private:
    std::unique_ptr<sub_sensor_interface> variant_;  // none for a type without variant
};

// Channel ids of metrics and child alarms, handed out once and kept in the persistent data, so that
// a name keeps its channel whatever order CloudWatch reports the names in.
class persistent_channel_ids {
public:
    explicit persistent_channel_ids(variant_services& services) : services_(services) {}

    // Throws std::invalid_argument or std::out_of_range for a stored id that is no number.
    std::int32_t id_for(const std::string& name);

private:
    variant_services& services_;
};

class alarm_metric_sensor final : public sub_sensor_interface {
public:
    alarm_metric_sensor(variant_services& services, const settings::alarm_sensor& settings);
    void work() override;

private:
    variant_services& services_;
    const settings::alarm_sensor& settings_;
    persistent_channel_ids ids_;
};

class alarm_composite_sensor final : public sub_sensor_interface {
public:
    alarm_composite_sensor(variant_services& services, const settings::alarm_sensor& settings);
    void work() override;

private:
    variant_services& services_;
    const settings::alarm_sensor& settings_;
    persistent_channel_ids ids_;
};

}  // namespace orvane::tessel::aws
