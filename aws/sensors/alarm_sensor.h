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

// What both variants share: the alarm's state on channel 0 and the ids of the other channels.
class alarm_variant : public sub_sensor_interface {
public:
    alarm_variant(variant_services& services, const settings::alarm_sensor& settings);

protected:
    // A scan's start: the result, and the alarm of the sensor's name as the variant's type with its
    // state set on the result.
    template <class Expected>
    std::shared_ptr<Expected> scanned_alarm(libvexahelper::sensor_scan_result& result, bool with_children);

    variant_services& services_;
    const settings::alarm_sensor& settings_;
    persistent_channel_ids ids_;
};

class alarm_metric_sensor final : public alarm_variant {
public:
    using alarm_variant::alarm_variant;
    void work() override;
};

class alarm_composite_sensor final : public alarm_variant {
public:
    using alarm_variant::alarm_variant;
    void work() override;
};

}  // namespace orvane::tessel::aws
