// The six sensor kinds end to end: through the exported entry points and the AWS SDK against the
// emulator's demo account, with the AWS calls of every scan counted in the emulator's request log.
#include <aws/core/client/DefaultRetryStrategy.h>
#include <date/date.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "aws/clients/client_configuration.h"
#include "aws_emulator/emulator.hpp"
#include "tests/support/settings_buffer.h"
#include "vexa_module.h"

namespace {

using namespace orvane::tessel;
namespace emu = orvane::tessel::emulator;
using nlohmann::json;
using test_support::settings_buffer;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::mutex received_mutex;
std::vector<json> received;

void on_message(std::uint64_t, const std::uint8_t* buffer, std::uint32_t length) {
    auto message = json::parse(buffer, buffer + length);
    std::lock_guard lock(received_mutex);
    received.push_back(std::move(message));
}

void short_waits(Aws::Client::ClientConfiguration& configuration) {
    configuration.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(10, 1);
}

constexpr std::int32_t sensor_id = 21;

class SensorsEndToEnd : public ::testing::Test {
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

    void TearDown() override { EXPECT_EQ(DestroySensorInstance(sensor_id), 0); }

    static std::vector<json> of_type(const std::string& type) {
        std::lock_guard lock(received_mutex);
        std::vector<json> messages;
        for (const auto& message : received) {
            if (message.at("type") == type) {
                messages.push_back(message);
            }
        }
        return messages;
    }

    static void create(const settings_buffer& settings, std::int32_t id = sensor_id) {
        const std::string text = settings.json();
        ASSERT_EQ(CreateSensorInstance(id, reinterpret_cast<const std::uint8_t*>(text.data()),
                                       static_cast<std::uint32_t>(text.size())),
                  0);
    }

    // One scan; its result, and the AWS operations it called by name.
    static json scan(std::map<std::string, std::size_t>& operations) {
        aws_->clear_requests();
        const auto before = of_type("sensor_scan_result").size();
        EXPECT_EQ(ExecuteSensorScan(sensor_id), 0);
        operations.clear();
        for (const auto& request : aws_->requests()) {
            ++operations[request.operation];
            EXPECT_EQ(request.status, 200) << request.operation << " " << request.error_code;
            EXPECT_EQ(request.access_key, "AKIDEXAMPLE");
        }
        const auto results = of_type("sensor_scan_result");
        EXPECT_EQ(results.size(), before + 1);
        return results.empty() ? json() : results.back();
    }

    static std::vector<std::int32_t> announced_ids() {
        std::vector<std::int32_t> ids;
        for (const auto& message : of_type("dynamic_channel")) {
            ids.push_back(message.at("channel").at("channel_id").get<std::int32_t>());
        }
        return ids;
    }

    static std::map<std::int32_t, json> values(const json& result) {
        std::map<std::int32_t, json> values;
        for (const auto& channel : result.at("channels")) {
            values[channel.at("id").get<std::int32_t>()] = channel;
        }
        return values;
    }

    static std::vector<std::int32_t> ids(const json& result) {
        std::vector<std::int32_t> ids;
        for (const auto& [id, value] : values(result)) {
            ids.push_back(id);
        }
        return ids;
    }

    static settings_buffer resource(const std::string& kind, const std::string& section,
                                    const std::map<std::string, std::string>& fields) {
        settings_buffer settings(kind);
        settings.set("interval", "300");
        const std::string prefix = section + "_section." + section + "_group.";
        for (const auto& [name, value] : fields) {
            settings.set(prefix + name, value);
        }
        return settings;
    }

    static inline std::unique_ptr<emu::server> aws_;
    static inline std::filesystem::path log_dir_;
};

using operation_counts = std::map<std::string, std::size_t>;

TEST_F(SensorsEndToEnd, Ec2InstanceReportsElevenMetricsWithoutDiskChannels) {
    create(resource("ec2_sensor", "ec2_metascan",
                    {{"id", "i-0a1b2c3d4e5f60001"},
                     {"name", "web-01"},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    operation_counts operations;
    for (int round = 0; round < 2; ++round) {
        const auto result = scan(operations);
        EXPECT_EQ(operations, (operation_counts{{"GetMetricStatistics", 11}}));
        EXPECT_EQ(aws_->count("GetMetricStatistics", "us-east-1"), 11u);
        EXPECT_EQ(result["response_code"], 0);
        EXPECT_EQ(result["message"]["text"], "OK");
        EXPECT_THAT(ids(result), ElementsAre(1, 2, 3, 8, 9, 10, 11));
        const auto sent = values(result);
        EXPECT_GT(sent.at(1)["float"].get<double>(), 10.0);  // about 24 %
        EXPECT_EQ(sent.at(10)["integer"], 0);
        EXPECT_EQ(sent.at(11)["integer"], 0);
        EXPECT_GT(sent.at(9)["float"].get<double>(), 100.0);  // a balance of about 144 credits
    }
    // Creation announced 1, 2, 3, 10 and 11; the credits came with their first values, once.
    EXPECT_THAT(announced_ids(), ElementsAre(1, 2, 3, 10, 11, 8, 9));
}

TEST_F(SensorsEndToEnd, EbsVolumeShowsItsAttachmentAndRates) {
    create(resource("ebs_sensor", "ebs_metascan",
                    {{"id", "vol-0a1b2c3d4e5f70002"},
                     {"name", "web-01-data"},
                     {"size", "100"},
                     {"type", "gp2"},
                     {"state", "in-use"},
                     {"attachment_information", ""},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    operation_counts operations;
    for (int round = 0; round < 2; ++round) {
        const auto result = scan(operations);
        EXPECT_EQ(operations, (operation_counts{{"DescribeVolumes", 1}, {"GetMetricStatistics", 9}}));
        EXPECT_EQ(result["response_code"], 0);
        EXPECT_EQ(result["message"]["text"], "i-0a1b2c3d4e5f60001:/dev/sdf (attached)");
        EXPECT_THAT(ids(result), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9));
        const auto sent = values(result);
        EXPECT_EQ(sent.at(0)["integer"], 3);
        const double read_rate = sent.at(1)["float"].get<double>();  // about 5 MB per 300 s
        EXPECT_GT(read_rate, 5e6 / 300 * 0.5);
        EXPECT_LT(read_rate, 5e6 / 300 * 1.5);
        const double latency = sent.at(5)["float"].get<double>();  // about 0.8 ms
        EXPECT_GT(latency, 0.4);
        EXPECT_LT(latency, 1.2);
    }
    EXPECT_THAT(announced_ids(), ElementsAre(0, 1, 2, 3, 4, 8, 5, 6, 7, 9));
}

TEST_F(SensorsEndToEnd, RdsPrimaryHasNoReplicaLag) {
    create(resource("rds_sensor", "rds_metascan",
                    {{"identifier", "orders-db"},
                     {"engine", "mysql"},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    operation_counts operations;
    for (int round = 0; round < 2; ++round) {
        const auto result = scan(operations);
        EXPECT_EQ(operations, (operation_counts{{"ListMetrics", 1}, {"GetMetricStatistics", 18}}));
        EXPECT_EQ(result["response_code"], 0);
        EXPECT_THAT(ids(result), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16));
        const double read_latency = values(result).at(6)["float"].get<double>();  // about 0.9 ms
        EXPECT_GT(read_latency, 0.4);
        EXPECT_LT(read_latency, 1.4);
    }
    EXPECT_THAT(announced_ids(), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16));
}

TEST_F(SensorsEndToEnd, RdsReplicaReportsItsLagInMilliseconds) {
    create(resource("rds_sensor", "rds_metascan",
                    {{"identifier", "orders-db-replica"},
                     {"engine", "mysql"},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    operation_counts operations;
    const auto result = scan(operations);
    const double lag = values(result).at(17)["float"].get<double>();  // about 2 s
    EXPECT_GT(lag, 1000.0);
    EXPECT_LT(lag, 3000.0);
}

TEST_F(SensorsEndToEnd, ApplicationLoadBalancerCombinesItsTargetGroups) {
    create(resource("elb_sensor", "elb_metascan",
                    {{"id", "app/web-alb/50dc6c495c0c9188"},
                     {"name", "web-alb"},
                     {"type", "application"},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    operation_counts operations;
    for (int round = 0; round < 2; ++round) {
        const auto result = scan(operations);
        // Five metrics per target group (two each), eight of the whole load balancer.
        EXPECT_EQ(operations, (operation_counts{{"ListMetrics", 1}, {"GetMetricStatistics", 18}}));
        EXPECT_EQ(result["response_code"], 0);
        const auto sent = values(result);
        EXPECT_THAT(ids(result), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12));
        EXPECT_GE(sent.at(0)["float"].get<double>(), 2.0);  // minima of 2 and 3 hosts, summed
        EXPECT_EQ(sent.at(1)["float"], 0.0);
        const auto response_time = sent.at(2)["integer"].get<std::int64_t>();  // 85 and 140 ms averaged
        EXPECT_GT(response_time, 60);
        EXPECT_LT(response_time, 170);
    }
    EXPECT_THAT(announced_ids(), ElementsAre(0, 1, 2, 6, 3, 4, 5, 7, 8, 9, 10, 11, 12));
}

TEST_F(SensorsEndToEnd, NetworkLoadBalancerReadsItsOwnNamespace) {
    create(resource("elb_sensor", "elb_metascan",
                    {{"id", "net/tcp-nlb/a1b2c3d4e5f60718"},
                     {"name", "tcp-nlb"},
                     {"type", "network"},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    operation_counts operations;
    for (int round = 0; round < 2; ++round) {
        const auto result = scan(operations);
        EXPECT_EQ(operations, (operation_counts{{"ListMetrics", 1}, {"GetMetricStatistics", 10}}));
        EXPECT_EQ(result["response_code"], 0);
        EXPECT_THAT(ids(result), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9));
    }
    for (const auto& request : aws_->requests()) {
        if (request.operation == "GetMetricStatistics") {
            EXPECT_EQ(request.parameters.at("Namespace"), "AWS/NetworkELB");
        }
    }
}

TEST_F(SensorsEndToEnd, GatewayLoadBalancerFailsWithoutCallingAws) {
    create(resource("elb_sensor", "elb_metascan",
                    {{"id", "gwy/gw/1"},
                     {"name", "gw"},
                     {"type", "gateway"},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    operation_counts operations;
    const auto result = scan(operations);
    EXPECT_THAT(operations, IsEmpty());
    EXPECT_EQ(result["response_code"], 3);
    EXPECT_EQ(result["message"]["encoded"], "#:error.unknown_loadbalancer_type[gateway]");
}

TEST_F(SensorsEndToEnd, MetricAlarmKeepsItsMetricOnChannelOne) {
    create(resource("alarm_sensor", "alarm_metascan",
                    {{"name", "web-01-cpu-high"},
                     {"type", "Metric"},
                     {"description", ""},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    operation_counts operations;
    for (int round = 0; round < 2; ++round) {
        const auto result = scan(operations);
        EXPECT_EQ(operations, (operation_counts{{"DescribeAlarms", 1}, {"GetMetricStatistics", 1}}));
        EXPECT_EQ(result["response_code"], 0);
        const auto sent = values(result);
        EXPECT_EQ(sent.at(0)["integer"], 1);  // OK
        EXPECT_GT(sent.at(1)["float"].get<double>(), 10.0);
    }
    std::map<std::string, std::string> stored;
    for (const auto& message : of_type("persistent_data")) {
        stored[message["key"]] = message["value"];
    }
    EXPECT_EQ(of_type("persistent_data").size(), 4u);
    EXPECT_EQ(stored, (std::map<std::string, std::string>{{"metric_names", "CPUUtilization"},
                                                          {"metric_unit", "Percent"},
                                                          {"CPUUtilization", "1"},
                                                          {"next_channel_id", "2"}}));
    const auto channels = of_type("dynamic_channel");
    ASSERT_EQ(channels.size(), 2u);
    EXPECT_EQ(channels[1]["channel"]["display_text"], "CPUUtilization");
    EXPECT_EQ(channels[1]["channel"]["unit"], 5);
}

TEST_F(SensorsEndToEnd, CompositeAlarmChildrenKeepTheirIdsWhenTheSensorIsCreatedAnew) {
    const auto settings = resource("alarm_sensor", "alarm_metascan",
                                   {{"name", "web-service-degraded"},
                                    {"type", "Composite"},
                                    {"description", ""},
                                    {"region", "us-east-1"},
                                    {"region_display_name", "US East (N. Virginia)"}});
    create(settings);
    operation_counts operations;
    auto result = scan(operations);
    EXPECT_EQ(operations, (operation_counts{{"DescribeAlarms", 2}}));  // the alarm, then its children
    EXPECT_EQ(result["response_code"], 0);
    EXPECT_THAT(ids(result), ElementsAre(0, 1, 2, 3));
    std::map<std::string, std::string> stored;
    for (const auto& message : of_type("persistent_data")) {
        stored[message["key"]] = message["value"];
    }
    EXPECT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored.at("next_channel_id"), "4");
    const auto first = values(result);

    // The host creates the sensor again with what it kept: no channel is announced twice.
    ASSERT_EQ(DestroySensorInstance(sensor_id), 0);
    auto again = settings;
    for (const auto& [key, value] : stored) {
        again.persistent(key, value);
    }
    for (const auto& message : of_type("dynamic_channel")) {
        again.channel(message["channel"]["channel_id"].get<std::int32_t>(),
                      message["channel"]["display_text"].get<std::string>());
    }
    SetUp();
    create(again);
    result = scan(operations);
    EXPECT_EQ(values(result), first);
    EXPECT_THAT(announced_ids(), IsEmpty());
    EXPECT_THAT(of_type("persistent_data"), IsEmpty());
}

TEST_F(SensorsEndToEnd, CostWithDefaultsMakesTwoRequestsAndTellsTheirPrice) {
    create(settings_buffer("awscost")
               .set("interval", "3600")
               .set("cost_specific_section.cost_optional_channel_group.optional_channel", "disabled")
               .set("cost_specific_section.cost_optional_channel_group.cost_types", "")
               .set("cost_specific_section.cost_forecast_group.forecast_additional", "disabled")
               .set("cost_specific_section.cost_forecast_group.forecast_cost_types", "blended_cost"));
    operation_counts operations;
    for (int round = 0; round < 2; ++round) {
        const auto result = scan(operations);
        EXPECT_EQ(operations, (operation_counts{{"GetCostAndUsage", 2}}));
        EXPECT_EQ(aws_->count("GetCostAndUsage", "us-east-1"), 2u);
        EXPECT_EQ(result["response_code"], 0);
        EXPECT_EQ(result["message"]["text"], "Costs of API calls per sensor scan: $0.02\n");
        EXPECT_THAT(ids(result), ElementsAre(0, 1));
        const auto sent = values(result);
        EXPECT_GE(sent.at(1)["float"].get<double>(), sent.at(0)["float"].get<double>());
    }
    const auto kept = of_type("persistent_data");
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0]["key"], "aws_cost_currency");
    EXPECT_EQ(kept[0]["value"], "USD");
    EXPECT_EQ(of_type("dynamic_channel").at(0)["channel"]["custom_unit"], "USD");
}

TEST_F(SensorsEndToEnd, CostForecastsAddTheirRequests) {
    create(settings_buffer("awscost")
               .set("interval", "3600")
               .set("cost_specific_section.cost_optional_channel_group.optional_channel", "enabled")
               .set("cost_specific_section.cost_optional_channel_group.cost_types", "unblended_cost")
               .set("cost_specific_section.cost_forecast_group.forecast_additional", "enabled")
               .set("cost_specific_section.cost_forecast_group.forecast_cost_types",
                    "blended_cost,unblended_cost"));
    const auto today = date::year_month_day{date::floor<date::days>(std::chrono::system_clock::now())};
    const bool last_day = today == date::year_month_day{today.year() / today.month() / date::last};
    operation_counts operations;
    const auto result = scan(operations);
    const std::size_t forecasts = last_day ? 2 : 4;
    EXPECT_EQ(operations, (operation_counts{{"GetCostAndUsage", 2}, {"GetCostForecast", forecasts}}));
    EXPECT_EQ(result["response_code"], 0);
    EXPECT_EQ(result["message"]["text"],
              std::string("Costs of API calls per sensor scan: $") + (last_day ? "0.04" : "0.06") + "\n");
    EXPECT_THAT(ids(result), ElementsAre(0, 1, 2, 3, 40, 41, 42, 43));
}

TEST_F(SensorsEndToEnd, SensorsScannedFromSeveralHostThreadsShareClientsButNotResults) {
    create(resource("ec2_sensor", "ec2_metascan",
                    {{"id", "i-0a1b2c3d4e5f60002"},
                     {"name", "web-02"},
                     {"region", "us-east-1"},
                     {"region_display_name", "US East (N. Virginia)"}}));
    create(resource("rds_sensor", "rds_metascan",
                    {{"identifier", "analytics-db"},
                     {"engine", "postgres"},
                     {"region", "eu-central-1"},
                     {"region_display_name", "Europe (Frankfurt)"}}),
           sensor_id + 1);
    create(resource("ebs_sensor", "ebs_metascan",
                    {{"id", "vol-05a6b7c8d9e0f0021"},
                     {"name", ""},
                     {"size", "8"},
                     {"type", "gp3"},
                     {"state", "in-use"},
                     {"attachment_information", ""},
                     {"region", "sa-east-1"},
                     {"region_display_name", "South America (Sao Paulo)"}}),
           sensor_id + 2);
    aws_->clear_requests();
    constexpr int scans = 3;
    std::vector<std::thread> threads;
    for (std::int32_t id = sensor_id; id < sensor_id + 3; ++id) {
        for (int copy = 0; copy < 2; ++copy) {
            threads.emplace_back([id] {
                for (int scan = 0; scan < scans; ++scan) {
                    EXPECT_EQ(ExecuteSensorScan(id), 0);
                }
            });
        }
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(DestroySensorInstance(sensor_id + 1), 0);
    EXPECT_EQ(DestroySensorInstance(sensor_id + 2), 0);

    // Six scans of each sensor, each with its own calls in its own region.
    EXPECT_EQ(aws_->count("GetMetricStatistics", "us-east-1"), 6u * 11);
    EXPECT_EQ(aws_->count("GetMetricStatistics", "eu-central-1"), 6u * 18);
    EXPECT_EQ(aws_->count("ListMetrics", "eu-central-1"), 6u);
    EXPECT_EQ(aws_->count("DescribeVolumes", "sa-east-1"), 6u);
    EXPECT_EQ(aws_->count("GetMetricStatistics", "sa-east-1"), 6u * 9);
    std::map<std::int32_t, int> results;
    for (const auto& result : of_type("sensor_scan_result")) {
        EXPECT_EQ(result["response_code"], 0) << result.dump();
        ++results[result["sensor_id"].get<std::int32_t>()];
    }
    EXPECT_EQ(results, (std::map<std::int32_t, int>{{sensor_id, 6}, {sensor_id + 1, 6}, {sensor_id + 2, 6}}));
}

}  // namespace
