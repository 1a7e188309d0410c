#pragma once

#include <aws/monitoring/model/Dimension.h>
#include <aws/monitoring/model/Metric.h>
#include <aws/monitoring/model/StandardUnit.h>
#include <aws/monitoring/model/Statistic.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "aws/clients/alarm.h"
#include "aws/clients/logger.h"

namespace orvane::tessel::aws {

// One statistic of the newest datapoint in the look-back window.
struct metric_statistic {
    Aws::CloudWatch::Model::StandardUnit unit = Aws::CloudWatch::Model::StandardUnit::NOT_SET;
    double value = -1.0;
    bool has_value = false;
};

using dimension_list = Aws::Vector<Aws::CloudWatch::Model::Dimension>;
using metric_list = Aws::Vector<Aws::CloudWatch::Model::Metric>;

// Amazon CloudWatch in the client's region. Every failed call throws the classified AWS error,
// except test_connection, which answers false.
class cloudwatch_client_interface {
public:
    virtual ~cloudwatch_client_interface() = default;
    virtual metric_statistic get_metric_statistics(const logger_ptr& logger, const dimension_list& dimensions,
                                                   const std::string& namespace_name,
                                                   const std::string& metric_name,
                                                   Aws::CloudWatch::Model::Statistic statistic,
                                                   std::int64_t period) = 0;
    // The namespace's metrics that carry the dimension name with the dimension value.
    virtual metric_list list_metrics(const logger_ptr& logger, const std::string& namespace_name,
                                     const std::string& dimension_name,
                                     const std::string& dimension_value) = 0;
    // Work on what list_metrics returned; no AWS call.
    virtual std::vector<std::string> get_target_groups(const metric_list& metrics,
                                                       const std::string& metric_name) = 0;
    virtual dimension_list get_dimensions(const metric_list& metrics, const std::string& metric_name,
                                          const std::vector<std::string>& dimension_names,
                                          const std::string& target_group) = 0;
    virtual std::shared_ptr<Alarm> get_alarm(const logger_ptr& logger, const std::string& alarm_name,
                                             bool with_children) = 0;
    virtual std::vector<std::shared_ptr<Alarm>> get_alarms(const logger_ptr& logger, bool with_children) = 0;
    virtual bool test_connection() = 0;
};

// The rules behind get_target_groups and get_dimensions, shared by every implementation.
std::vector<std::string> find_target_groups(const metric_list& metrics, const std::string& metric_name);
dimension_list find_dimensions(const metric_list& metrics, const std::string& metric_name,
                               const std::vector<std::string>& dimension_names,
                               const std::string& target_group);

}  // namespace orvane::tessel::aws
