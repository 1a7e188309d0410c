// The operations the emulator answers, with the service and protocol each belongs to.
#pragma once

#include <array>
#include <string_view>

namespace orvane::tessel::emulator::detail {

enum class protocol { ec2, query, json };

struct service_info {
    std::string_view signing_name;  // the credential scope's service
    std::string_view version;       // API version
    std::string_view xml_namespace;
    protocol wire;
};

inline constexpr service_info ec2_service{"ec2", "2016-11-15", "http://ec2.amazonaws.com/doc/2016-11-15/",
                                          protocol::ec2};
inline constexpr service_info cloudwatch_service{
    "monitoring", "2010-08-01", "http://monitoring.amazonaws.com/doc/2010-08-01/", protocol::query};
inline constexpr service_info elbv2_service{"elasticloadbalancing", "2015-12-01",
                                            "http://elasticloadbalancing.amazonaws.com/doc/2015-12-01/",
                                            protocol::query};
inline constexpr service_info rds_service{"rds", "2014-10-31", "http://rds.amazonaws.com/doc/2014-10-31/",
                                          protocol::query};
inline constexpr service_info ce_service{"ce", "2017-10-25", "", protocol::json};

inline constexpr std::array<const service_info*, 5> services{&ec2_service, &cloudwatch_service,
                                                             &elbv2_service, &rds_service, &ce_service};

struct operation_info {
    std::string_view name;
    const service_info* service;
};

inline constexpr std::array<operation_info, 10> operations{{
    {"DescribeRegions", &ec2_service},
    {"DescribeInstances", &ec2_service},
    {"DescribeVolumes", &ec2_service},
    {"GetMetricStatistics", &cloudwatch_service},
    {"ListMetrics", &cloudwatch_service},
    {"DescribeAlarms", &cloudwatch_service},
    {"DescribeLoadBalancers", &elbv2_service},
    {"DescribeDBInstances", &rds_service},
    {"GetCostAndUsage", &ce_service},
    {"GetCostForecast", &ce_service},
}};

[[nodiscard]] constexpr const operation_info* find_operation(std::string_view name) {
    for (const auto& op : operations) {
        if (op.name == name) {
            return &op;
        }
    }
    return nullptr;
}

[[nodiscard]] constexpr const service_info* find_service(std::string_view signing_name) {
    for (const auto* s : services) {
        if (s->signing_name == signing_name) {
            return s;
        }
    }
    return nullptr;
}

}  // namespace orvane::tessel::emulator::detail
