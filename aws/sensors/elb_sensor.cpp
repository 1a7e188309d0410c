#include "aws/sensors/elb_sensor.h"

#include <aws/elasticloadbalancingv2/model/LoadBalancerTypeEnum.h>

#include <array>
#include <numeric>
#include <span>
#include <string>
#include <vector>

#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/credential_settings.h"
#include "aws/clients/decimal_text.h"
#include "aws/sensors/sensor_support.h"
#include "framework/exceptions.h"

namespace orvane::tessel::aws {

using namespace sensor_support;

// A variant's namespace, its name in the log lines and its metrics (index = channel id).
struct elb_profile {
    std::string_view cloudwatch_namespace;
    std::string_view label;
    std::span<const metric_row> metrics;
};

namespace {

constexpr channel_shape count(std::int32_t id) {
    return channel(id).in(unit::count);
}

constexpr channel_shape unhealthy_hosts = count(1).upper_limit_at(0.0);
constexpr channel_shape processed_bytes = channel(6).in(unit::traffic, size::byte);

constexpr metric_row counted(std::string_view name, std::int32_t id) {
    return metric(name, count(id)).by(Statistic::Sum).at_first_value();
}

constexpr std::array<metric_row, 13> application_metrics{{
    metric("HealthyHostCount", count(0)).by(Statistic::Minimum),
    metric("UnHealthyHostCount", unhealthy_hosts),
    metric("TargetResponseTime", channel(2).as(value_mode::integer).in(unit::milliseconds))
        .converted(conversion::to_milliseconds)
        .groups_combined_by(combination::average),
    counted("NewConnectionCount", 3),
    counted("ActiveConnectionCount", 4),
    counted("TargetConnectionErrorCount", 5),
    metric("ProcessedBytes", processed_bytes).by(Statistic::Sum),
    counted("ConsumedLCUs", 7),
    counted("RuleEvaluations", 8),
    counted("HTTPCode_Target_4XX_Count", 9),
    counted("HTTPCode_Target_5XX_Count", 10),
    counted("HTTPCode_ELB_4XX_Count", 11),
    counted("HTTPCode_ELB_5XX_Count", 12),
}};

constexpr std::array<metric_row, 10> network_metrics{{
    metric("HealthyHostCount", count(0)).by(Statistic::Minimum),
    metric("UnHealthyHostCount", unhealthy_hosts).by(Statistic::Maximum),
    metric("ActiveFlowCount", count(2)),
    counted("ConsumedLCUs", 3),
    counted("NewFlowCount", 4),
    metric("PeakBytesPerSecond", channel(5).in(unit::bytes_per_second, size::byte))
        .by(Statistic::Maximum)
        .at_first_value(),
    metric("ProcessedBytes", processed_bytes).by(Statistic::Sum),
    counted("TCP_Client_Reset_Count", 7),
    counted("TCP_ELB_Reset_Count", 8),
    counted("TCP_Target_Reset_Count", 9),
}};

constexpr elb_profile application_profile{"AWS/ApplicationELB", "ELB Application", application_metrics};
constexpr elb_profile network_profile{"AWS/NetworkELB", "ELB Network", network_metrics};

constexpr std::string_view load_balancer_dimension = "LoadBalancer";
constexpr std::string_view target_group_dimension = "TargetGroup";

// Reads one metric of one load balancer, per target group where CloudWatch splits it.
class target_group_reader {
public:
    target_group_reader(cloudwatch_client_interface& cloudwatch, const metric_list& listed,
                        const elb_profile& profile, const settings::elb_metascan_group& load_balancer,
                        const logger_ptr& logger, const scan_periods& periods)
        : cloudwatch_(cloudwatch),
          listed_(listed),
          profile_(profile),
          load_balancer_(load_balancer),
          logger_(logger),
          periods_(periods) {}

    reading operator()(const metric_row& row) const {
        const std::string metric(row.metric);
        const auto groups = cloudwatch_.get_target_groups(listed_, metric);
        if (groups.empty()) {
            log_request(metric, "");
            auto dimensions =
                cloudwatch_.get_dimensions(listed_, metric, {std::string(load_balancer_dimension)}, {});
            if (dimensions.empty()) {
                dimensions.emplace_back();
                dimensions.back().SetName(std::string(load_balancer_dimension));
                dimensions.back().SetValue(load_balancer_.id);
            }
            return statistic(row, dimensions);
        }

        std::vector<double> values;
        for (const auto& group : groups) {
            log_request(metric, "', target-group: '" + group);
            const auto dimensions = cloudwatch_.get_dimensions(
                listed_, metric, {std::string(load_balancer_dimension), std::string(target_group_dimension)},
                group);
            if (const auto value = statistic(row, dimensions)) {
                values.push_back(*value);
            }
        }
        return combine(row, values);
    }

private:
    void log_request(const std::string& metric, const std::string& target_group) const {
        trace(logger_, "Get statistics for " + std::string(profile_.label) + " metric '" + metric +
                           "' of instance: '" + load_balancer_.id + target_group + "' in region '" +
                           load_balancer_.region + "' from AWS");
    }

    reading statistic(const metric_row& row, const dimension_list& dimensions) const {
        trace(logger_, dimensions_text(dimensions));
        return value_of(cloudwatch_.get_metric_statistics(
            logger_, dimensions, std::string(profile_.cloudwatch_namespace), std::string(row.metric),
            row.statistic, periods_.of(row.period)));
    }

    reading combine(const metric_row& row, const std::vector<double>& values) const {
        if (values.empty()) {
            return std::nullopt;
        }
        double value = std::accumulate(values.begin(), values.end(), 0.0);
        if (values.size() >= 2) {
            const std::string count = std::to_string(values.size());
            if (row.target_groups == combination::average) {
                value /= static_cast<double>(values.size());
                trace(logger_, "Average of " + count + " values is " + six_decimals(value));
            } else {
                trace(logger_, "Sum of " + count + " values is " + six_decimals(value));
            }
        }
        return value;
    }

    cloudwatch_client_interface& cloudwatch_;
    const metric_list& listed_;
    const elb_profile& profile_;
    const settings::elb_metascan_group& load_balancer_;
    const logger_ptr& logger_;
    const scan_periods& periods_;
};

std::unique_ptr<sub_sensor_interface> make_variant(variant_services& services,
                                                   const settings::elb_sensor& settings) {
    using Aws::ElasticLoadBalancingv2::Model::LoadBalancerTypeEnum;
    switch (Aws::ElasticLoadBalancingv2::Model::LoadBalancerTypeEnumMapper::GetLoadBalancerTypeEnumForName(
        settings.resource.type)) {
        case LoadBalancerTypeEnum::application:
            return std::make_unique<elb_application_sensor>(services, settings);
        case LoadBalancerTypeEnum::network:
            return std::make_unique<elb_network_sensor>(services, settings);
        default:
            return nullptr;
    }
}

}  // namespace

elb_sensor::elb_sensor(libvexahelper::sensor_context<settings_type> context)
    : variant_sensor(std::move(context), "AWS ELB v2"),
      variant_(make_variant(services_for_variant(), settings())) {}

void elb_sensor::work() {
    if (!variant_) {
        throw exceptions::unknown_loadbalancer_type(settings().resource.type);
    }
    variant_->work();
}

elb_variant::elb_variant(variant_services& services, const settings::elb_sensor& settings,
                         const elb_profile& profile)
    : services_(services), settings_(settings), profile_(profile) {
    define_creation_channels(profile_.metrics,
                             [this](const dynamic_channel_options& options) { services_.define(options); });
}

void elb_variant::work() {
    auto result = services_.new_result();
    const scan_periods periods(services_.scan_interval());
    const auto& load_balancer = settings_.resource;
    const auto cloudwatch = obtain_client<cloudwatch_client_interface>(
        services_.services(),
        make_credential_settings(settings_.credentials, settings_.proxy, load_balancer.region));
    const auto& logger = services_.scan_logger();
    const auto listed = cloudwatch->list_metrics(logger, std::string(profile_.cloudwatch_namespace),
                                                 std::string(load_balancer_dimension), load_balancer.id);

    metric_reporter reporter(
        result, [this](const dynamic_channel_options& options) { services_.define(options); }, logger,
        periods);
    reporter.run(profile_.metrics,
                 target_group_reader(*cloudwatch, listed, profile_, load_balancer, logger, periods),
                 missing_data::reported);
    services_.deliver(result);
}

elb_application_sensor::elb_application_sensor(variant_services& services,
                                               const settings::elb_sensor& settings)
    : elb_variant(services, settings, application_profile) {}

elb_network_sensor::elb_network_sensor(variant_services& services, const settings::elb_sensor& settings)
    : elb_variant(services, settings, network_profile) {}

}  // namespace orvane::tessel::aws
