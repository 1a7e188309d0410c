#include "aws/sensors/rds_sensor.h"

#include <array>
#include <vector>

#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/credential_settings.h"
#include "aws/sensors/sensor_support.h"

namespace orvane::tessel::aws {

namespace {

using namespace sensor_support;

constexpr std::string_view cloudwatch_namespace = "AWS/RDS";
constexpr std::string_view instance_dimension = "DBInstanceIdentifier";

constexpr channel_shape per_second(std::int32_t id) {
    return channel(id).in_custom("#/s");
}

constexpr metric_row latency(std::string_view name, std::int32_t id) {
    return metric(name, channel(id).in(unit::milliseconds)).converted(conversion::to_milliseconds);
}

// The position in the table is the channel id.
constexpr std::array<metric_row, 18> metrics{{
    metric("CPUUtilization", channel(0).in(unit::cpu_percent)),
    metric("DatabaseConnections", channel(1).in(unit::count)),
    metric("FreeableMemory", channel(2).in(unit::disk_bytes, size::byte)),
    metric("FreeStorageSpace", channel(3).in(unit::disk_bytes, size::byte)).by(Statistic::Minimum),
    metric("ReadIOPS", per_second(4)),
    metric("WriteIOPS", per_second(5)),
    latency("ReadLatency", 6),
    latency("WriteLatency", 7),
    metric("ReadThroughput", channel(8).in(unit::bytes_per_second, size::byte)),
    metric("WriteThroughput", channel(9).in(unit::bytes_per_second, size::byte)),
    metric("SwapUsage", channel(10).in(unit::disk_bytes, size::byte)).by(Statistic::Maximum),
    metric("BinLogDiskUsage", channel(11).in(unit::disk_bytes, size::byte)),
    metric("DiskQueueDepth", channel(12).in(unit::count)),
    metric("NetworkReceiveThroughput", channel(13).in(unit::bytes_per_second, size::byte)),
    metric("NetworkTransmitThroughput", channel(14).in(unit::bytes_per_second, size::byte)),
    credits("CPUCreditUsage", channel(15).in(unit::count)),
    credits("CPUCreditBalance", channel(16).in(unit::count).lower_limit_at(1.0)),
    // Only read replicas have a lag.
    latency("ReplicaLag", 17).at_first_value(),
}};

sensor_support::metric_reader start_scan(const metric_scan<settings::rds_sensor>& scan) {
    const auto cloudwatch = scan.client<cloudwatch_client_interface>();
    auto listed =
        cloudwatch->list_metrics(scan.logger, std::string(cloudwatch_namespace),
                                 std::string(instance_dimension), scan.settings.resource.identifier);
    return [&scan, cloudwatch, listed = std::move(listed),
            names = std::vector<std::string>{std::string(instance_dimension)}](const metric_row& row) {
        scan.announce("RDS", row, scan.settings.resource.identifier);
        const auto dimensions = cloudwatch->get_dimensions(listed, std::string(row.metric), names, {});
        trace(scan.logger, dimensions_text(dimensions));
        return scan.newest(*cloudwatch, dimensions, cloudwatch_namespace, row);
    };
}

}  // namespace

const metric_kind<settings::rds_sensor> rds_kind{"AWS RDS v2", metrics, &start_scan};

}  // namespace orvane::tessel::aws
