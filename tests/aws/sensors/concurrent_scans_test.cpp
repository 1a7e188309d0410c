#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "aws/clients/alarm.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
namespace model = Aws::CloudWatch::Model;

// Sensors scanned from several host threads at once share the container and the clients; each keeps
// its own channels and persistent ids, and two threads never scan one sensor at the same time.
TEST(ConcurrentScans, SensorsOfSeveralKindsKeepTheirOwnState) {
    sensor_harness harness;
    answer_metrics(*harness.host.cloudwatch, {{"CPUUtilization", 12.0}, {"DiskReadOps", 2.0}});
    std::vector<std::shared_ptr<aws::Alarm>> children;
    for (const char* name : {"b", "a", "c"}) {
        children.push_back(std::make_shared<aws::MetricAlarm>(
            model::MetricAlarm().WithAlarmName(name).WithStateValue(model::StateValue::ALARM)));
    }
    ON_CALL(*harness.host.cloudwatch, get_alarm)
        .WillByDefault(::testing::Return(std::make_shared<aws::CompositeAlarm>(
            model::CompositeAlarm().WithStateValue(model::StateValue::OK), children)));
    constexpr int sensors = 8;  // even ids: composite alarms, odd ids: EC2 instances
    constexpr int scans = 20;
    const auto composite = sensor_harness::settings("alarm_sensor")
                               .set("alarm_metascan_section.alarm_metascan_group.type", "Composite");
    for (int id = 1; id <= sensors; ++id) {
        ASSERT_EQ(harness.dispatcher.create_sensor_instance(
                      id, (id % 2 == 0 ? composite : sensor_harness::settings("ec2_sensor")).wrapper()),
                  libvexahelper::sensor_create_response_code::success);
    }
    std::vector<std::thread> threads;  // two threads per half of the sensors
    threads.reserve(4);
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
    for (const auto& result : results) {
        std::map<int, double> values;
        for (const auto& channel : result["channels"]) {
            values[channel["id"]] = channel.value("integer", 0.0) + channel.value("float", 0.0);
        }
        EXPECT_EQ(values, result["sensor_id"].get<int>() % 2 == 0
                              ? (std::map<int, double>{{0, 1}, {1, 2}, {2, 2}, {3, 2}})
                              : (std::map<int, double>{{1, 12}, {4, 2}}))
            << result.dump();
    }
    std::map<int, int> announced;  // 0 to 3, or 1, 2, 3, 10, 11 and 4: each exactly once
    for (const auto& message : harness.host.messages->of_type("dynamic_channel")) {
        ++announced[message["sensor_id"].get<int>()];
    }
    for (int id = 1; id <= sensors; ++id) {
        EXPECT_EQ(announced[id], id % 2 == 0 ? 4 : 6) << id;
    }
}

}  // namespace
