// The five clients against the AWS emulator: real requests through the SDK, real answers.
#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/utils/DateTime.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "aws/clients/aws_cost_api.h"
#include "aws/clients/client_configuration.h"
#include "aws/clients/client_factories.h"
#include "aws/clients/cloudwatch_client.h"
#include "aws_emulator/emulator.hpp"
#include "framework/exceptions.h"
#include "tests/support/environment.h"
#include "tests/support/fake_host.h"

namespace {

using namespace orvane::tessel;
using namespace orvane::tessel::aws;
namespace emu = orvane::tessel::emulator;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* access_key = "AKIDEXAMPLE";
constexpr const char* secret_key = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY";

void short_waits(Aws::Client::ClientConfiguration& configuration) {
    configuration.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(10, 1);
}

// One emulator and one SDK life per test. The SDK stops first: that closes its pooled keep-alive
// connections, so the emulator does not wait for them to time out.
class ClientsAgainstEmulator : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        vexa_test::set_environment("AWS_EC2_METADATA_DISABLED", "true");
        vexa_test::set_environment("AWS_DEFAULT_REGION", "us-east-1");
        set_configuration_adjuster(&short_waits);
    }
    static void TearDownTestSuite() {
        set_configuration_adjuster(nullptr);
        vexa_test::unset_environment("AWS_ENDPOINT_URL");
    }
    void TearDown() override {
        sdk_.reset();
        server_.reset();
    }

    void start(const std::string& regions_json, const std::string& extra = "") {
        const std::string text = R"({"accounts": [{"credentials": [{"access_key": ")" +
                                 std::string(access_key) + R"(", "secret_key": ")" + secret_key +
                                 R"("}], "regions": )" + regions_json + extra + "}]" + page_sizes_ + "}";
        server_ = std::make_unique<emu::server>(emu::scenario::from_json(text));
        server_->start();
        vexa_test::set_environment("AWS_ENDPOINT_URL", server_->base_url());
    }

    credential_settings key(const std::string& region = "us-east-1",
                            const std::string& secret = secret_key) const {
        return {access_key, secret, {}, region};
    }

    logger_ptr logger() { return std::make_shared<test_support::memory_log>(book_); }
    std::vector<std::string> lines() const { return book_->texts(); }

    template <class Exception>
    static std::string encoded(const std::function<void()>& call) {
        try {
            call();
        } catch (const Exception& error) {
            return error.message().encoded();
        }
        return "no exception";
    }

    std::unique_ptr<aws_sdk_guard> sdk_ = std::make_unique<aws_sdk_guard>();
    std::string page_sizes_;
    std::unique_ptr<emu::server> server_;
    std::shared_ptr<test_support::log_book> book_ = std::make_shared<test_support::log_book>();
};

TEST_F(ClientsAgainstEmulator, RegionsAreTheEnabledOnesInServiceOrder) {
    start(R"({"us-east-1": {}, "eu-central-1": {}, "sa-east-1": {}})",
          R"(, "disabled_regions": ["me-south-1"])");
    const auto ec2 = get_ec2_client_factory()(key("aws-global"));
    EXPECT_THAT(ec2->get_regions(logger()),
                ::testing::UnorderedElementsAre("us-east-1", "eu-central-1", "sa-east-1"));
    EXPECT_EQ(lines().front(), "Getting a list of all available AWS regions.");
    EXPECT_EQ(lines().back(), "Found 3 AWS region(s)");
    EXPECT_EQ(server_->requests().at(0).region, "us-east-1");  // the SDK's default region
}

TEST_F(ClientsAgainstEmulator, InstancesSkipStoppedAndAutoScalingMembersAndReadNameTagsInAnyCase) {
    start(R"({"eu-west-1": {"instances": [
        {"id": "i-run", "name": "web"},
        {"id": "i-stop", "name": "old", "state": "stopped"},
        {"id": "i-asg", "name": "node", "auto_scaling_group": "asg1"},
        {"id": "i-case", "tags": {"aws:AutoScaling:groupName": "x", "name": "a", "NAME": "b"}},
        {"id": "i-anon"}]}})");
    const auto ec2 = get_ec2_client_factory()(key("eu-west-1"));
    EXPECT_EQ(ec2->get_instances(logger()),
              (std::vector<ec2_instance_info>{{"web", "i-run"}, {"b", "i-case"}, {"", "i-anon"}}));
    EXPECT_THAT(lines(), ::testing::Contains("instance id=i-stop, state=stopped will be ignored"));
    EXPECT_THAT(lines(), ::testing::Contains(
                             "instance id=i-asg is part of auto scaling group 'asg1' and will be ignored"));
    EXPECT_THAT(lines(), ::testing::Contains("instance id=i-run, name='web'"));
    EXPECT_EQ(server_->requests().at(0).parameters.at("MaxResults"), "1000");
}

TEST_F(ClientsAgainstEmulator, VolumesCarryTheirAttachmentsAndAnUnknownIdIsReportedByName) {
    start(R"({"us-east-1": {"volumes": [
        {"id": "vol-1", "size": 8, "type": "gp3", "tags": {"name": "a", "NAME": "b"},
         "attachments": [{"instance": "i-1", "device": "/dev/xvda"}, {"instance": "i-2", "device": "/dev/sdf"}]},
        {"id": "vol-2", "size": 100, "type": "st1"}]}})");
    const auto ec2 = get_ec2_client_factory()(key());
    const auto volumes = ec2->get_volumes(logger());
    ASSERT_EQ(volumes.size(), 2u);
    EXPECT_EQ(volumes[0], (ebs_volume_info{"vol-1", "a", 8, "gp3",
                                           "i-1:/dev/xvda (attached), i-2:/dev/sdf (attached)", "in-use"}));
    EXPECT_EQ(volumes[1], (ebs_volume_info{"vol-2", "", 100, "st1", "", "available"}));
    EXPECT_EQ(ec2->get_volume("vol-2", logger()).size, 100);
    EXPECT_EQ(encoded<exceptions::no_volume_found>([&] { ec2->get_volume("vol-404", logger()); }),
              "#:error.no_volume_found[vol-404]");
    EXPECT_TRUE(ec2->can_describe_volumes());
    EXPECT_TRUE(ec2->can_describe_instances());
}

TEST_F(ClientsAgainstEmulator, ListingsStopAfterOneHundredPages) {
    page_sizes_ = R"(, "page_sizes": {"DescribeInstances": 1, "DescribeVolumes": 1})";
    start(R"({"us-east-1": {"generate": {"instances": 100, "volumes": 101}}})");
    const auto ec2 = get_ec2_client_factory()(key());
    EXPECT_EQ(ec2->get_instances(nullptr).size(), 100u);
    EXPECT_EQ(encoded<exceptions::result_pages_overflow>([&] { ec2->get_volumes(nullptr); }),
              "#:error.result_pages_overflow[100]");
    EXPECT_EQ(server_->count("DescribeVolumes"), 100u);
}

TEST_F(ClientsAgainstEmulator, LoadBalancerAndDatabaseListingsStopAfterTenThousandPages) {
    page_sizes_ = R"(, "page_sizes": {"DescribeLoadBalancers": 1, "DescribeDBInstances": 1})";
    start(R"({"us-east-1": {"generate": {"load_balancers": 10001, "db_instances": 10000}}})");
    const auto elb = get_elb_client_factory()(key());
    EXPECT_EQ(encoded<exceptions::result_pages_overflow>([&] { elb->list_load_balancers(nullptr); }),
              "#:error.result_pages_overflow[10000]");
    const auto rds = get_rds_client_factory()(key());
    EXPECT_EQ(rds->list_db_instances(nullptr).size(), 10000u);
}

TEST_F(ClientsAgainstEmulator, LoadBalancersOfEveryTypeWithTheirCloudWatchIds) {
    start(R"({"us-east-1": {"load_balancers": [
        {"arn": "arn:aws:elasticloadbalancing:us-east-1:123456789012:loadbalancer/app/web/50dc6c495c0c9188", "type": "application"},
        {"arn": "arn:aws:elasticloadbalancing:us-east-1:123456789012:loadbalancer/gwy/fw/0011223344556677", "type": "gateway"}]}})");
    const auto elb = get_elb_client_factory()(key());
    using type = Aws::ElasticLoadBalancingv2::Model::LoadBalancerTypeEnum;
    EXPECT_EQ(elb->list_load_balancers(logger()),
              (std::vector<load_balancer>{{"app/web/50dc6c495c0c9188", "web", type::application},
                                          {"gwy/fw/0011223344556677", "fw", type::gateway}}));
    EXPECT_THAT(lines(), ElementsAre("Found 2 load-balancer(s).",
                                     "Load Balancer web (app/web/50dc6c495c0c9188) has type application.",
                                     "Load Balancer fw (gwy/fw/0011223344556677) has type gateway."));
    EXPECT_TRUE(elb->test_connection());
    EXPECT_EQ(server_->requests().back().parameters.at("PageSize"), "1");
}

TEST_F(ClientsAgainstEmulator, DatabasesAreListedWhateverTheirStatus) {
    start(
        R"({"us-east-1": {"db_instances": [{"identifier": "orders", "engine": "mysql", "engine_version": "8.0.35",
                                             "status": "stopped"}]}})");
    const auto rds = get_rds_client_factory()(key());
    EXPECT_EQ(rds->list_db_instances(logger()), (std::vector<rds_instance>{{"orders", "mysql"}}));
    EXPECT_THAT(
        lines()[0],
        ::testing::MatchesRegex(
            R"(Database orders \(arn:aws:rds:us-east-1:[0-9]+:db:orders\) has engine 'mysql \(8\.0\.35\)' and status 'stopped'\.)"));
    EXPECT_TRUE(rds->test_connection());
}

TEST_F(ClientsAgainstEmulator, NewestDatapointInsideTheLookBackWindowCounts) {
    start(R"({"us-east-1": {"metrics": [{"namespace": "AWS/EC2", "name": "CPUUtilization", "unit": "Percent",
        "dimensions": {"InstanceId": "i-1"},
        "datapoints": [{"ago": 300, "Average": 20, "Maximum": 30}, {"ago": 60, "Average": 10},
                       {"ago": 900, "Average": 90}]}]}})");
    const auto cloudwatch = get_cloudwatch_client_factory()(key());
    Aws::CloudWatch::Model::Dimension instance;
    instance.SetName("InstanceId");
    instance.SetValue("i-1");
    using Aws::CloudWatch::Model::Statistic;

    const auto average = cloudwatch->get_metric_statistics(logger(), {instance}, "AWS/EC2", "CPUUtilization",
                                                           Statistic::Average, 60);
    EXPECT_TRUE(average.has_value);
    EXPECT_DOUBLE_EQ(average.value, 10.0);
    EXPECT_EQ(average.unit, Aws::CloudWatch::Model::StandardUnit::Percent);
    EXPECT_THAT(lines(), ::testing::Contains(HasSubstr("  2 datapoint(s) ")));
    EXPECT_THAT(lines(), ::testing::Contains("Average of 'CPUUtilization' with unit Percent is 10.000000"));
    const auto sent = server_->requests().back().parameters;
    EXPECT_EQ(sent.at("Period"), "60");
    EXPECT_EQ(sent.at("Statistics.member.1"), "Average");

    // The window is twice the period, at least ten minutes: 600 s for 60 s, 1800 s for 900 s.
    const auto window = [&] {
        const auto last = server_->requests().back().parameters;
        const Aws::Utils::DateTime start(last.at("StartTime"), Aws::Utils::DateFormat::ISO_8601);
        const Aws::Utils::DateTime end(last.at("EndTime"), Aws::Utils::DateFormat::ISO_8601);
        return (end.Millis() - start.Millis()) / 1000;
    };
    EXPECT_EQ(window(), 600);
    cloudwatch->get_metric_statistics(nullptr, {instance}, "AWS/EC2", "CPUUtilization", Statistic::Average,
                                      900);
    EXPECT_EQ(window(), 1800);

    const auto nothing =
        cloudwatch->get_metric_statistics(logger(), {}, "AWS/EC2", "CPUUtilization", Statistic::Average, 60);
    EXPECT_FALSE(nothing.has_value);
    EXPECT_THAT(lines(), ::testing::Contains("There are no datapoints for metric AWS/EC2 CPUUtilization:"));
}

TEST_F(ClientsAgainstEmulator, MetricsAreFilteredByDimensionAcrossPages) {
    page_sizes_ = R"(, "page_sizes": {"ListMetrics": 1})";
    start(R"({"us-east-1": {"metrics": [
        {"namespace": "AWS/RDS", "name": "CPUUtilization", "dimensions": {"DBInstanceIdentifier": "orders"}},
        {"namespace": "AWS/RDS", "name": "CPUUtilization", "dimensions": {"DBInstanceIdentifier": "other"}},
        {"namespace": "AWS/RDS", "name": "ReadIOPS", "dimensions": {"DBInstanceIdentifier": "orders"}},
        {"namespace": "AWS/EC2", "name": "CPUUtilization", "dimensions": {"DBInstanceIdentifier": "orders"}}]}})");
    const auto cloudwatch = get_cloudwatch_client_factory()(key());
    const auto metrics = cloudwatch->list_metrics(nullptr, "AWS/RDS", "DBInstanceIdentifier", "orders");
    ASSERT_EQ(metrics.size(), 2u);
    EXPECT_EQ(metrics[0].GetMetricName(), "CPUUtilization");
    EXPECT_EQ(metrics[1].GetMetricName(), "ReadIOPS");
    EXPECT_EQ(server_->count("ListMetrics"), 3u);
}

TEST_F(ClientsAgainstEmulator, CompositeAlarmsGetTheirChildrenOneLevelDeep) {
    start(R"json({"us-east-1": {
        "metric_alarms": [{"name": "cpu-high", "namespace": "AWS/EC2", "metric": "CPUUtilization", "state": "ALARM"},
                          {"name": "disk-full", "namespace": "AWS/EC2", "metric": "DiskWriteOps"}],
        "composite_alarms": [
            {"name": "inner", "rule": "ALARM(\"disk-full\")", "state": "OK"},
            {"name": "outer", "rule": "ALARM(\"cpu-high\") OR ALARM(\"inner\")", "state": "ALARM"}]}})json");
    const auto cloudwatch = get_cloudwatch_client_factory()(key());
    const auto outer = cloudwatch->get_alarm(logger(), "outer", true);
    ASSERT_EQ(outer->get_type(), "Composite");
    EXPECT_EQ(outer->get_state(), in_alarm);
    const auto& children = static_cast<const CompositeAlarm&>(*outer).children();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0]->get_name(), "cpu-high");
    EXPECT_EQ(children[1]->get_name(), "inner");
    EXPECT_TRUE(static_cast<const CompositeAlarm&>(*children[1]).children().empty());

    const auto all = cloudwatch->get_alarms(logger(), false);
    ASSERT_EQ(all.size(), 4u);  // metric alarms of a page come before its composite alarms
    EXPECT_EQ(all[0]->get_type(), "Metric");
    EXPECT_EQ(all[3]->get_type(), "Composite");
    EXPECT_EQ(encoded<exceptions::no_alarm_found>([&] { cloudwatch->get_alarm(nullptr, "gone", false); }),
              "#:error.no_alarm_found[gone]");
    EXPECT_TRUE(cloudwatch->test_connection());
}

TEST_F(ClientsAgainstEmulator, CostsAreSummedOverMonthsInTheBillingCurrency) {
    start("{}", R"(, "costs": {"currency": "EUR", "months": {
        "2024-01": {"BlendedCost": 10, "UnblendedCost": 1}, "2024-02": {"BlendedCost": 20.5, "UnblendedCost": 2},
        "2024-03": {"BlendedCost": 30, "UnblendedCost": 3}}})");
    aws_cost_api api(access_key, secret_key, {}, logger());
    forecast_types none;
    aws_cost_explorer explorer(&none, &api, logger());
    // The end is exclusive: the whole of March counts only up to its first day in April.
    const auto costs = explorer.get_costs("2024-01-01", "2024-04-01");
    EXPECT_DOUBLE_EQ(costs[aws::settings::cost_type::blended], 60.5);
    EXPECT_DOUBLE_EQ(costs[aws::settings::cost_type::unblended], 6.0);
    EXPECT_EQ(explorer.currency(), "EUR");
    EXPECT_EQ(api.api_call_count(), 1u);
    EXPECT_EQ(server_->requests().at(0).region, "us-east-1");
    EXPECT_THAT(lines(), ::testing::Contains("Initialize API Client with Credentials: AK: AKIDEXAMPLE"));
    EXPECT_THAT(lines(), ::testing::Not(::testing::Contains(HasSubstr("EXAMPLEKEY"))));
}

TEST_F(ClientsAgainstEmulator, CostErrorsAreClassifiedAndStillCounted) {
    start("{}", R"(, "costs": {"data_unavailable": true})");
    aws_cost_api api(access_key, secret_key, {}, logger());
    forecast_types none;
    aws_cost_explorer explorer(&none, &api, nullptr);
    EXPECT_EQ(encoded<exceptions::data_unavailable>([&] { explorer.get_costs("2024-01-01", "2024-01-31"); }),
              "#:error.data_unavailable[]");
    EXPECT_EQ(api.api_call_count(), 1u);
    EXPECT_THAT(lines(), ::testing::Contains("ERROR of GetCostAndUsage"));
    EXPECT_THAT(lines(), ::testing::Contains("DataUnavailableException"));
}

}  // namespace
