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

constexpr metric_row credits(std::string_view name, channel_shape feeds) {
    return metric(name, feeds)
        .by(Statistic::Sum)
        .over(period_rule::p300)
        .converted(conversion::per_300_seconds)
        .at_first_value();
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

}  // namespace

rds_sensor::rds_sensor(libvexahelper::sensor_context<settings_type> context)
    : sensor_base(std::move(context), "AWS RDS v2") {
    define_creation_channels(metrics, [this](const dynamic_channel_options& o) { define_channel(o); });
}

void rds_sensor::work() {
    auto result = make_result(libi18n::i18n_msg::plain("OK"), libvexahelper::scan_ok);
    const scan_periods periods(interval());
    const auto& instance = settings().resource;
    const auto cloudwatch = obtain_client<cloudwatch_client_interface>(
        *container(), make_credential_settings(settings().credentials, settings().proxy, instance.region));

    const std::string namespace_name(cloudwatch_namespace);
    const auto listed = cloudwatch->list_metrics(logger(), namespace_name, std::string(instance_dimension),
                                                 instance.identifier);
    const std::vector<std::string> dimension_names{std::string(instance_dimension)};

    metric_reporter reporter(
        result, [this](const dynamic_channel_options& o) { define_channel(o); }, logger(), periods);
    reporter.run(
        metrics,
        [&](const metric_row& row) {
            const std::string metric(row.metric);
            log("Get statistics for RDS metric '" + metric + "' of instance: '" + instance.identifier +
                "' in region '" + instance.region + "' from AWS");
            const auto dimensions = cloudwatch->get_dimensions(listed, metric, dimension_names, {});
            log(dimensions_text(dimensions));
            return value_of(cloudwatch->get_metric_statistics(logger(), dimensions, namespace_name, metric,
                                                              row.statistic, periods.of(row.period)));
        },
        missing_data::reported);

    log(response_line(result));
    send(result);
}

}  // namespace orvane::tessel::aws
