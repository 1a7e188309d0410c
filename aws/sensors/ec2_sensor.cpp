#include "aws/sensors/ec2_sensor.h"

#include <array>

#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/credential_settings.h"
#include "aws/sensors/sensor_support.h"

namespace orvane::tessel::aws {

namespace {

using namespace sensor_support;

constexpr std::string_view cloudwatch_namespace = "AWS/EC2";

constexpr channel_shape status_check(std::int32_t id) {
    return channel(id).looked_up_in(status_check_lookup);
}

// A disk reading of 0 means an instance without instance store: no channel for it.
constexpr metric_row disk(std::string_view name, channel_shape feeds) {
    return metric(name, feeds).at_first_value().only_above_zero();
}

// Channel ids follow the table from 1.
constexpr std::array<metric_row, 11> metrics{{
    metric("CPUUtilization", channel(1).in(unit::cpu_percent)),
    metric("NetworkIn", channel(2).in(unit::traffic, size::byte)),
    metric("NetworkOut", channel(3).in(unit::traffic, size::byte)),
    disk("DiskReadOps", channel(4).in(unit::count)),
    disk("DiskWriteOps", channel(5).in(unit::count)),
    disk("DiskReadBytes", channel(6).in(unit::disk_bytes, size::byte)),
    disk("DiskWriteBytes", channel(7).in(unit::disk_bytes, size::byte)),
    credits("CPUCreditUsage", channel(8).in(unit::count)),
    credits("CPUCreditBalance", channel(9).in(unit::count).lower_limit_at(1.0)),
    metric("StatusCheckFailed_Instance", status_check(10)).converted(conversion::status_flag),
    metric("StatusCheckFailed_System", status_check(11)).converted(conversion::status_flag),
}};

sensor_support::metric_reader start_scan(const metric_scan<settings::ec2_sensor>& scan) {
    const auto& instance = scan.settings.resource;
    dimension_list dimensions(1);
    dimensions[0].SetName("InstanceId");
    dimensions[0].SetValue(instance.id);
    return [&scan, cloudwatch = scan.client<cloudwatch_client_interface>(),
            dimensions = std::move(dimensions)](const metric_row& row) {
        scan.announce("EC2", row, scan.settings.resource.id);
        return scan.newest(*cloudwatch, dimensions, cloudwatch_namespace, row);
    };
}

}  // namespace

const metric_kind<settings::ec2_sensor> ec2_kind{"AWS EC2 v2", metrics, &start_scan};

}  // namespace orvane::tessel::aws
