#include "tests/aws/sensors/sensor_harness.h"

#include <algorithm>

namespace orvane::tessel::test_support {

using namespace ::testing;

sensor_harness::sensor_harness() {
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics).Times(AnyNumber());
    EXPECT_CALL(*host.cost, get_cost_and_usage).Times(AnyNumber());
    EXPECT_CALL(*host.cost, get_cost_forecast).Times(AnyNumber());
}

void sensor_harness::create(const settings_buffer& settings) {
    ASSERT_EQ(dispatcher.create_sensor_instance(sensor_id, settings.wrapper()),
              libvexahelper::sensor_create_response_code::success)
        << ::testing::PrintToString(host.runtime_log->texts());
}

void sensor_harness::destroy() {
    EXPECT_EQ(dispatcher.destroy_sensor_instance(sensor_id),
              libvexahelper::sensor_destroy_response_code::success);
}

void sensor_harness::scan() {
    EXPECT_EQ(dispatcher.execute_sensor_scan(sensor_id), libvexahelper::sensor_scan_response_code::success);
}

json sensor_harness::last_result() const {
    const auto all = results();
    return all.empty() ? json() : all.back();
}

std::map<std::int32_t, double> sensor_harness::values() const {
    std::map<std::int32_t, double> values;
    const auto result = last_result();
    if (result.is_null()) {
        return values;
    }
    for (const auto& channel : result.at("channels")) {
        const auto& value = channel.contains("integer") ? channel.at("integer") : channel.at("float");
        values[channel.at("id").get<std::int32_t>()] = value.get<double>();
    }
    return values;
}

bool sensor_harness::is_integer(std::int32_t channel_id) const {
    const auto result = last_result();
    for (const auto& channel : result.at("channels")) {
        if (channel.at("id") == channel_id) {
            return channel.contains("integer");
        }
    }
    ADD_FAILURE() << "channel " << channel_id << " has no value in " << result.dump();
    return false;
}

std::vector<json> sensor_harness::announced() const {
    std::vector<json> channels;
    for (const auto& message : host.messages->of_type("dynamic_channel")) {
        EXPECT_EQ(message.at("sensor_id"), sensor_id);
        channels.push_back(message.at("channel"));
    }
    return channels;
}

std::vector<std::int32_t> sensor_harness::announced_ids() const {
    std::vector<std::int32_t> ids;
    for (const auto& channel : announced()) {
        ids.push_back(channel.at("channel_id").get<std::int32_t>());
    }
    return ids;
}

std::map<std::string, std::string> sensor_harness::persisted() const {
    std::map<std::string, std::string> values;
    for (const auto& message : host.messages->of_type("persistent_data")) {
        EXPECT_EQ(message.at("sensor_id"), sensor_id);
        values[message.at("key").get<std::string>()] = message.at("value").get<std::string>();
    }
    return values;
}

std::size_t sensor_harness::log_count(const std::string& text) const {
    const auto lines = host.sensor_log->texts();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), text));
}

void answer_metrics(mock_cloudwatch_client& cloudwatch, const std::map<std::string, double>& values,
                    Aws::CloudWatch::Model::StandardUnit unit) {
    ON_CALL(cloudwatch, get_metric_statistics)
        .WillByDefault([values, unit](const logger_ptr&, const dimension_list&, const std::string&,
                                      const std::string& metric, Aws::CloudWatch::Model::Statistic,
                                      std::int64_t) {
            const auto found = values.find(metric);
            return found == values.end() ? metric_statistic{} : with_value(found->second, unit);
        });
}

metric_statistic with_value(double value, Aws::CloudWatch::Model::StandardUnit unit) {
    return metric_statistic{unit, value, true};
}

Aws::CloudWatch::Model::Dimension dimension(const std::string& name, const std::string& value) {
    Aws::CloudWatch::Model::Dimension result;
    result.SetName(name);
    result.SetValue(value);
    return result;
}

::testing::Matcher<const dimension_list&> dimensions_are(const dimension_list& expected) {
    return ::testing::Truly([expected](const dimension_list& actual) {
        return std::equal(actual.begin(), actual.end(), expected.begin(), expected.end(),
                          [](const auto& a, const auto& b) {
                              return a.GetName() == b.GetName() && a.GetValue() == b.GetValue();
                          });
    });
}

Aws::CloudWatch::Model::Metric listed_metric(const std::string& name, const dimension_list& dimensions) {
    Aws::CloudWatch::Model::Metric metric;
    metric.SetMetricName(name);
    metric.SetDimensions(dimensions);
    return metric;
}

}  // namespace orvane::tessel::test_support
