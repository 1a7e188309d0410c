#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "aws/clients/alarm.h"
#include "aws/sensors/alarm_sensor.h"
#include "aws/sensors/ec2_sensor.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
using Aws::CloudWatch::Model::StateValue;
using ::testing::Return;

namespace model = Aws::CloudWatch::Model;

// Sensors of two kinds scanned from several host threads at once share the container and the
// clients, but each keeps its own channels and persistent ids.
TEST(ConcurrentScans, SensorsOfSeveralKindsKeepTheirOwnState) {
    sensor_harness harness;
    harness.register_kind<aws::ec2_sensor>("ec2_sensor");
    harness.register_kind<aws::alarm_sensor>("alarm_sensor");
    answer_metrics(*harness.host.cloudwatch, {{"CPUUtilization", 12.0}, {"DiskReadOps", 2.0}});
    std::vector<std::shared_ptr<aws::Alarm>> children;
    for (const char* name : {"b", "a", "c"}) {
        children.push_back(std::make_shared<aws::MetricAlarm>(
            model::MetricAlarm().WithAlarmName(name).WithStateValue(StateValue::ALARM)));
    }
    ON_CALL(*harness.host.cloudwatch, get_alarm)
        .WillByDefault(Return(std::make_shared<aws::CompositeAlarm>(
            model::CompositeAlarm().WithAlarmName("watch").WithStateValue(StateValue::OK), children)));

    constexpr int sensors = 8;
    constexpr int scans = 20;
    for (int id = 1; id <= sensors; ++id) {
        const bool alarm = id % 2 == 0;
        auto settings =
            alarm ? settings_buffer("alarm_sensor")
                        .set("alarm_metascan_section.alarm_metascan_group.name", "watch")
                        .set("alarm_metascan_section.alarm_metascan_group.type", "Composite")
                        .set("alarm_metascan_section.alarm_metascan_group.description", "")
                        .set("alarm_metascan_section.alarm_metascan_group.region", "us-west-2")
                        .set("alarm_metascan_section.alarm_metascan_group.region_display_name", "")
                  : settings_buffer("ec2_sensor")
                        .set("ec2_metascan_section.ec2_metascan_group.id", "i-" + std::to_string(id))
                        .set("ec2_metascan_section.ec2_metascan_group.name", "")
                        .set("ec2_metascan_section.ec2_metascan_group.region", "us-west-2")
                        .set("ec2_metascan_section.ec2_metascan_group.region_display_name", "");
        ASSERT_EQ(harness.dispatcher.create_sensor_instance(id, settings.wrapper()),
                  libvexahelper::sensor_create_response_code::success);
    }

    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread) {
        threads.emplace_back([&harness, thread] {
            for (int scan = 0; scan < scans; ++scan) {
                for (int id = 1 + thread % 2; id <= sensors; id += 2) {
                    harness.dispatcher.execute_sensor_scan(id);
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }

    const auto results = harness.results();
    ASSERT_EQ(results.size(), static_cast<std::size_t>(sensors * scans * 2));
    std::map<int, int> announced;
    for (const auto& message : harness.host.messages->of_type("dynamic_channel")) {
        ++announced[message["sensor_id"].get<int>()];
    }
    for (const auto& result : results) {
        ASSERT_EQ(result["response_code"], 0) << result.dump();
        const int id = result["sensor_id"].get<int>();
        std::map<int, double> values;
        for (const auto& channel : result["channels"]) {
            values[channel["id"].get<int>()] = channel.contains("integer") ? channel["integer"].get<double>()
                                                                           : channel["float"].get<double>();
        }
        if (id % 2 == 0) {
            EXPECT_EQ(values, (std::map<int, double>{{0, 1}, {1, 2}, {2, 2}, {3, 2}}));
        } else {
            EXPECT_EQ(values, (std::map<int, double>{{1, 12}, {4, 2}}));
        }
    }
    // Every sensor announced its channels exactly once: 0 to 3, or 1, 2, 3, 10, 11 and 4.
    for (int id = 1; id <= sensors; ++id) {
        EXPECT_EQ(announced[id], id % 2 == 0 ? 4 : 6) << id;
    }
}

}  // namespace
