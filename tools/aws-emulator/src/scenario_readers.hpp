// One reader per scenario resource, and for the generated ones the i-th of a generated series (i from
// 1); region and account fill the defaults that name them (availability zones, ARNs, endpoints).
#pragma once

#include "model.hpp"
#include "scenario_node.hpp"

#include <string>

namespace orvane::tessel::emulator::detail {

// scenario_ec2.cpp
[[nodiscard]] instance read_instance(const node& n, const std::string& region);
[[nodiscard]] volume read_volume(const node& n, const std::string& region);
[[nodiscard]] instance generated_instance(long long i, const std::string& region);
[[nodiscard]] volume generated_volume(long long i, const std::string& region);

// scenario_elbv2_rds.cpp
[[nodiscard]] load_balancer read_load_balancer(const node& n, const std::string& region,
                                               const std::string& account_id);
[[nodiscard]] db_instance read_db_instance(const node& n, const std::string& region,
                                           const std::string& account_id);
[[nodiscard]] load_balancer generated_load_balancer(long long i, const std::string& region,
                                                    const std::string& account_id);
[[nodiscard]] db_instance generated_db_instance(long long i, const std::string& region,
                                                const std::string& account_id);

// scenario_cloudwatch.cpp
[[nodiscard]] metric_alarm read_metric_alarm(const node& n, const std::string& region,
                                             const std::string& account_id);
[[nodiscard]] composite_alarm read_composite_alarm(const node& n, const std::string& region,
                                                   const std::string& account_id);
[[nodiscard]] metric read_metric(const node& n);
[[nodiscard]] metric_alarm generated_metric_alarm(long long i, const std::string& region,
                                                  const std::string& account_id);
[[nodiscard]] metric generated_metric(long long i);

// scenario_costs.cpp
[[nodiscard]] costs read_costs(const node& n);

}  // namespace orvane::tessel::emulator::detail
