#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/cost_explorer.h"
#include "aws/clients/ec2_client_interface.h"
#include "aws/clients/elb_client_interface.h"
#include "aws/clients/rds_client_interface.h"
#include "tests/support/fake_host.h"

namespace orvane::tessel::test_support {

using namespace orvane::tessel::aws;

class mock_ec2_client : public ec2_client_interface {
public:
    MOCK_METHOD(std::vector<std::string>, get_regions, (const logger_ptr&), (override));
    MOCK_METHOD(std::vector<ec2_instance_info>, get_instances, (const logger_ptr&), (override));
    MOCK_METHOD(bool, can_describe_instances, (), (override));
    MOCK_METHOD(ebs_volume_info, get_volume, (const std::string&, const logger_ptr&), (override));
    MOCK_METHOD(std::vector<ebs_volume_info>, get_volumes, (const logger_ptr&), (override));
    MOCK_METHOD(bool, can_describe_volumes, (), (override));
};

// get_target_groups and get_dimensions do what the real client does unless a test says otherwise.
class mock_cloudwatch_client : public cloudwatch_client_interface {
public:
    mock_cloudwatch_client();
    MOCK_METHOD(metric_statistic, get_metric_statistics,
                (const logger_ptr&, const dimension_list&, const std::string&, const std::string&,
                 Aws::CloudWatch::Model::Statistic, std::int64_t),
                (override));
    MOCK_METHOD(metric_list, list_metrics,
                (const logger_ptr&, const std::string&, const std::string&, const std::string&), (override));
    MOCK_METHOD(std::vector<std::string>, get_target_groups, (const metric_list&, const std::string&),
                (override));
    MOCK_METHOD(dimension_list, get_dimensions,
                (const metric_list&, const std::string&, const std::vector<std::string>&, const std::string&),
                (override));
    MOCK_METHOD(std::shared_ptr<Alarm>, get_alarm, (const logger_ptr&, const std::string&, bool), (override));
    MOCK_METHOD(std::vector<std::shared_ptr<Alarm>>, get_alarms, (const logger_ptr&, bool), (override));
    MOCK_METHOD(bool, test_connection, (), (override));
};

class mock_elb_client : public elb_client_interface {
public:
    MOCK_METHOD(std::vector<load_balancer>, list_load_balancers, (const logger_ptr&), (override));
    MOCK_METHOD(bool, test_connection, (), (override));
};

class mock_rds_client : public rds_client_interface {
public:
    MOCK_METHOD(std::vector<rds_instance>, list_db_instances, (const logger_ptr&), (override));
    MOCK_METHOD(bool, test_connection, (), (override));
};

class mock_cost_api : public cost_api_interface {
public:
    MOCK_METHOD(Aws::CostExplorer::Model::GetCostAndUsageResult, get_cost_and_usage,
                (const Aws::CostExplorer::Model::GetCostAndUsageRequest&), (override));
    MOCK_METHOD(Aws::CostExplorer::Model::GetCostForecastResult, get_cost_forecast,
                (const Aws::CostExplorer::Model::GetCostForecastRequest&), (override));
    MOCK_METHOD(std::uint32_t, api_call_count, (), (const, override));
};

// A fake host whose container hands out the mocks above as the AWS clients: every client obtained,
// whatever its settings, forwards to the one mock of its interface, and the settings asked for are
// recorded. "Today" is the day the test sets.
struct aws_fake_host : fake_host {
    aws_fake_host();

    std::shared_ptr<::testing::NiceMock<mock_ec2_client>> ec2 =
        std::make_shared<::testing::NiceMock<mock_ec2_client>>();
    std::shared_ptr<::testing::NiceMock<mock_cloudwatch_client>> cloudwatch =
        std::make_shared<::testing::NiceMock<mock_cloudwatch_client>>();
    std::shared_ptr<::testing::NiceMock<mock_elb_client>> elb =
        std::make_shared<::testing::NiceMock<mock_elb_client>>();
    std::shared_ptr<::testing::NiceMock<mock_rds_client>> rds =
        std::make_shared<::testing::NiceMock<mock_rds_client>>();
    std::shared_ptr<::testing::NiceMock<mock_cost_api>> cost =
        std::make_shared<::testing::NiceMock<mock_cost_api>>();
    date::year_month_day today = date::year{2025} / date::June / 15;

    // Settings of every client obtained, in order, as "<interface>@<region>".
    std::vector<std::string> obtained() const;

private:
    void record(const std::string& interface, const credential_settings& key);

    mutable std::mutex mutex_;
    std::vector<std::string> obtained_;
};

}  // namespace orvane::tessel::test_support
