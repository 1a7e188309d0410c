#pragma once

#include <memory>

#include "aws/sensors/variant_sensor.h"
#include "framework/settings/records.h"
#include "framework/templates/sub_sensor_interface.h"

namespace orvane::tessel::aws {

struct elb_profile;

// One ELBv2 load balancer; its type chooses the application or the network variant.
class elb_sensor final : public variant_sensor<settings::elb_sensor> {
public:
    explicit elb_sensor(libvexahelper::sensor_context<settings_type> context);

    void work() override;

private:
    std::unique_ptr<sub_sensor_interface> variant_;  // none for a type without variant
};

// What both variants do: metrics of the whole load balancer, or of each target group combined.
class elb_variant : public sub_sensor_interface {
public:
    void work() override;

protected:
    elb_variant(variant_services& services, const settings::elb_sensor& settings, const elb_profile& profile);

private:
    variant_services& services_;
    const settings::elb_sensor& settings_;
    const elb_profile& profile_;
};

class elb_application_sensor final : public elb_variant {
public:
    elb_application_sensor(variant_services& services, const settings::elb_sensor& settings);
};

class elb_network_sensor final : public elb_variant {
public:
    elb_network_sensor(variant_services& services, const settings::elb_sensor& settings);
};

}  // namespace orvane::tessel::aws
