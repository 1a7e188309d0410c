#pragma once

#include <aws/monitoring/CloudWatchClient.h>
#include <aws/monitoring/model/DescribeAlarmsRequest.h>

#include <string>
#include <vector>

#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/error_classification.h"
#include "aws/clients/sdk_client.h"

namespace orvane::tessel::aws {

class cloudwatch_client final
    : public cloudwatch_client_interface,
      private sdk_client<Aws::CloudWatch::CloudWatchClient, &translate_cloudwatch_error> {
public:
    using sdk_client::sdk_client;

    metric_statistic get_metric_statistics(const logger_ptr& logger, const dimension_list& dimensions,
                                           const std::string& namespace_name, const std::string& metric_name,
                                           Aws::CloudWatch::Model::Statistic statistic,
                                           std::int64_t period) override;
    metric_list list_metrics(const logger_ptr& logger, const std::string& namespace_name,
                             const std::string& dimension_name, const std::string& dimension_value) override;
    std::vector<std::string> get_target_groups(const metric_list& metrics,
                                               const std::string& metric_name) override;
    dimension_list get_dimensions(const metric_list& metrics, const std::string& metric_name,
                                  const std::vector<std::string>& dimension_names,
                                  const std::string& target_group) override;
    std::shared_ptr<Alarm> get_alarm(const logger_ptr& logger, const std::string& alarm_name,
                                     bool with_children) override;
    std::vector<std::shared_ptr<Alarm>> get_alarms(const logger_ptr& logger, bool with_children) override;
    bool test_connection() override;

    // How far back a statistic is looked for: twice its period, but at least ten minutes.
    static std::int64_t look_back_seconds(std::int64_t period);

private:
    std::vector<std::shared_ptr<Alarm>> list_alarms(Aws::CloudWatch::Model::DescribeAlarmsRequest request,
                                                    bool with_children, const logger_ptr& logger);
};

}  // namespace orvane::tessel::aws
