// The six sensor kinds end to end: the exported entry points and the AWS SDK against the emulator's
// demo account, with the AWS calls of every scan counted in the emulator's request log.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "tests/aws/sensors/sensor_settings.h"
#include "tests/support/module_on_emulator.h"

namespace {

using namespace orvane::tessel;
using nlohmann::ordered_json;
using ::testing::ElementsAreArray;
using operations = std::map<std::string, std::size_t>;

std::vector<ordered_json> of_type(const std::string& type) {
    return test_support::inbox().of_type(type);
}

// A sensor of the demo account: kind, its group's settings, and what each scan must do.
struct demo_case {
    const char* name;
    const char* kind;
    std::map<std::string, std::string> resource;  // empty for the cost sensor
    operations calls;                             // per scan, all in us-east-1
    std::vector<std::int32_t> channels;           // with a value in every scan
    std::vector<std::int32_t> announced;          // at creation and first values, once
    const char* message;
    std::map<std::string, std::string> persisted;  // per scan for the cost sensor, once for alarms
};

class DemoAccount : public ::testing::TestWithParam<demo_case> {
protected:
    static void SetUpTestSuite() { module_ = std::make_unique<test_support::module_on_emulator>(); }
    static void TearDownTestSuite() { module_.reset(); }
    void SetUp() override { test_support::inbox().clear(); }

    // One scan: its result, and the AWS operations it called, all answered.
    static ordered_json scan(std::int32_t id, operations& calls) {
        auto& aws = module_->aws;
        aws.clear_requests();
        EXPECT_EQ(ExecuteSensorScan(id), 0);
        calls.clear();
        for (const auto& request : aws.requests()) {
            ++calls[request.operation];
            EXPECT_EQ(request.status, 200) << request.operation << " " << request.error_code;
            EXPECT_EQ(request.region, "us-east-1");
        }
        const auto results = of_type("sensor_scan_result");
        return results.empty() ? ordered_json() : results.back();
    }

    static inline std::unique_ptr<test_support::module_on_emulator> module_;
};

// The values, channel definitions and persistent data a host receives, and the AWS calls per scan.
TEST_P(DemoAccount, CreatedScannedTwiceAndDestroyed) {
    const auto& c = GetParam();
    ASSERT_EQ(
        test_support::call_with(&CreateSensorInstance, 1, test_support::sensor_settings(c.kind, c.resource)),
        0);
    std::size_t kept_after_first = 0;
    for (int round = 0; round < 2; ++round) {
        operations calls;
        const auto result = scan(1, calls);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(result["response_code"], 0);
        EXPECT_EQ(result["response_message"]["text"], c.message);
        std::vector<std::int32_t> ids;
        for (const auto& channel : result.at("channels")) {
            ids.push_back(channel.at("id").get<std::int32_t>());
        }
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, c.channels);
        kept_after_first = round == 0 ? of_type("persistent_data").size() : kept_after_first;
    }
    // Alarm ids are stored once; the cost sensor asks again at every scan.
    EXPECT_EQ(of_type("persistent_data").size(),
              kept_after_first * (std::string(c.kind) == "awscost" ? 2 : 1));
    EXPECT_EQ(DestroySensorInstance(1), 0);
    std::vector<std::int32_t> announced;
    for (const auto& message : of_type("dynamic_channel")) {
        announced.push_back(message["channel"]["channel_id"].get<std::int32_t>());
    }
    EXPECT_THAT(announced, ElementsAreArray(c.announced));
    std::map<std::string, std::string> persisted;
    for (const auto& message : of_type("persistent_data")) {
        persisted[message["key"]] = message["value"];
    }
    EXPECT_EQ(persisted, c.persisted);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, DemoAccount, ::testing::Values(
    demo_case{"ec2", "ec2_sensor", {{"id", "i-0a1b2c3d4e5f60001"}, {"name", "web-01"}}, {{"GetMetricStatistics", 11}},
        {1, 2, 3, 8, 9, 10, 11}, {1, 2, 3, 10, 11, 8, 9}, "OK", {}},
    demo_case{"ebs", "ebs_sensor", {{"id", "vol-0a1b2c3d4e5f70002"}, {"name", "web-01-data"}, {"size", "100"}, {"type", "gp2"},
        {"state", "in-use"}, {"attachment_information", ""}}, {{"DescribeVolumes", 1}, {"GetMetricStatistics", 9}},
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 1, 2, 3, 4, 8, 5, 6, 7, 9}, "i-0a1b2c3d4e5f60001:/dev/sdf (attached)", {}},
    demo_case{"rds_primary", "rds_sensor", {{"identifier", "orders-db"}, {"engine", "mysql"}},
        {{"ListMetrics", 1}, {"GetMetricStatistics", 18}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, "OK", {}},
    demo_case{"rds_replica", "rds_sensor", {{"identifier", "orders-db-replica"}, {"engine", "mysql"}},
        {{"ListMetrics", 1}, {"GetMetricStatistics", 18}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, "OK", {}},
    // Five metrics kept per target group, two groups each; eight of the whole load balancer.
    demo_case{"alb", "elb_sensor", {{"id", "app/web-alb/50dc6c495c0c9188"}, {"name", "web-alb"}, {"type", "application"}},
        {{"ListMetrics", 1}, {"GetMetricStatistics", 18}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
        {0, 1, 2, 6, 3, 4, 5, 7, 8, 9, 10, 11, 12}, "OK", {}},
    demo_case{"nlb", "elb_sensor", {{"id", "net/tcp-nlb/a1b2c3d4e5f60718"}, {"name", "tcp-nlb"}, {"type", "network"}},
        {{"ListMetrics", 1}, {"GetMetricStatistics", 10}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 1, 2, 6, 3, 4, 5, 7, 8, 9}, "OK", {}},
    demo_case{"metric_alarm", "alarm_sensor", {{"name", "web-01-cpu-high"}, {"type", "Metric"}, {"description", ""}},
        {{"DescribeAlarms", 1}, {"GetMetricStatistics", 1}}, {0, 1}, {0, 1}, "OK",
        {{"metric_names", "CPUUtilization"}, {"metric_unit", "Percent"}, {"CPUUtilization", "1"}, {"next_channel_id", "2"}}},
    demo_case{"alarm_on_two_metrics", "alarm_sensor", {{"name", "web-error-rate"}, {"type", "Metric"}, {"description", ""}},
        {{"DescribeAlarms", 1}, {"GetMetricStatistics", 2}}, {0, 1, 2}, {0, 1, 2}, "OK",
        {{"metric_names", "HTTPCode_Target_5XX_Count, RequestCount"}, {"metric_unit", "Count"},
         {"HTTPCode_Target_5XX_Count", "1"}, {"RequestCount", "2"}, {"next_channel_id", "3"}}},
    // The alarm, then its children.
    demo_case{"composite_alarm", "alarm_sensor", {{"name", "web-service-degraded"}, {"type", "Composite"}, {"description", ""}},
        {{"DescribeAlarms", 2}}, {0, 1, 2, 3}, {0, 1, 2, 3}, "OK",
        {{"web-01-cpu-high", "1"}, {"web-alb-unhealthy-hosts", "2"}, {"web-error-rate", "3"}, {"next_channel_id", "4"}}},
    demo_case{"cost", "awscost", {}, {{"GetCostAndUsage", 2}}, {0, 1}, {0, 1},
        "Costs of API calls per sensor scan: $0.02\n", {{"aws_cost_currency", "USD"}}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
