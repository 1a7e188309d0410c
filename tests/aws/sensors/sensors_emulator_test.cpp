// The six sensor kinds end to end: the exported entry points and the AWS SDK against the emulator's
// demo account, with the AWS calls of every scan counted in the emulator's request log.
#include <aws/core/client/DefaultRetryStrategy.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>

#include "aws/clients/client_configuration.h"
#include "aws_emulator/emulator.hpp"
#include "tests/aws/sensors/sensor_settings.h"
#include "vexa_module.h"

namespace {

using namespace orvane::tessel;
namespace emu = orvane::tessel::emulator;
using nlohmann::json;
using ::testing::ElementsAreArray;
using operations = std::map<std::string, std::size_t>;

std::mutex received_mutex;
std::vector<json> received;

void on_message(std::uint64_t, const std::uint8_t* buffer, std::uint32_t length) {
    auto message = json::parse(buffer, buffer + length);
    std::lock_guard lock(received_mutex);
    received.push_back(std::move(message));
}

std::vector<json> of_type(const std::string& type) {
    std::lock_guard lock(received_mutex);
    std::vector<json> messages;
    std::copy_if(received.begin(), received.end(), std::back_inserter(messages),
                 [&](const json& message) { return message.at("type") == type; });
    return messages;
}

void short_waits(Aws::Client::ClientConfiguration& configuration) {
    configuration.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(10, 1);
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
    static void SetUpTestSuite() {
        aws_ = std::make_unique<emu::server>(emu::scenario::from_file(
            std::filesystem::path(VEXA_SOURCE_DIR) / "tools/aws-emulator/scenarios/demo.json"));
        aws_->start();
        log_dir_ =
            std::filesystem::temp_directory_path() / ("vexa_sensors_e2e_" + std::to_string(::getpid()));
        // No module call runs yet.
        // NOLINTBEGIN(concurrency-mt-unsafe)
        ::setenv("VEXA_LOG_DIR", log_dir_.c_str(), 1);
        ::setenv("AWS_ENDPOINT_URL", aws_->base_url().c_str(), 1);
        ::setenv("AWS_EC2_METADATA_DISABLED", "true", 1);
        // NOLINTEND(concurrency-mt-unsafe)
        aws::set_configuration_adjuster(&short_waits);
        ASSERT_EQ(InitializeModule(3, on_message), 0);
    }

    static void TearDownTestSuite() {
        CleanupModule();
        aws::set_configuration_adjuster(nullptr);
        ::unsetenv("AWS_ENDPOINT_URL");  // NOLINT(concurrency-mt-unsafe)
        aws_.reset();
        std::filesystem::remove_all(log_dir_);
    }

    void SetUp() override {
        std::lock_guard lock(received_mutex);
        received.clear();
    }

    // One scan: its result, and the AWS operations it called, all answered.
    static json scan(std::int32_t id, operations& calls) {
        aws_->clear_requests();
        EXPECT_EQ(ExecuteSensorScan(id), 0);
        calls.clear();
        for (const auto& request : aws_->requests()) {
            ++calls[request.operation];
            EXPECT_EQ(request.status, 200) << request.operation << " " << request.error_code;
            EXPECT_EQ(request.region, "us-east-1");
        }
        const auto results = of_type("sensor_scan_result");
        return results.empty() ? json() : results.back();
    }

    static inline std::unique_ptr<emu::server> aws_;
    static inline std::filesystem::path log_dir_;
};

// The values, channel definitions and persistent data a host receives, and the AWS calls per scan.
TEST_P(DemoAccount, CreatedScannedTwiceAndDestroyed) {
    const auto& c = GetParam();
    const std::string settings = test_support::sensor_settings(c.kind, c.resource).json();
    ASSERT_EQ(CreateSensorInstance(1, reinterpret_cast<const std::uint8_t*>(settings.data()),
                                   static_cast<std::uint32_t>(settings.size())),
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
