#include "tests/aws/sensors/sensor_harness.h"

#include <algorithm>

#include "aws/sensors/alarm_sensor.h"
#include "aws/sensors/awscost.h"
#include "aws/sensors/ebs_sensor.h"
#include "aws/sensors/ec2_sensor.h"
#include "aws/sensors/elb_sensor.h"
#include "aws/sensors/rds_sensor.h"

namespace orvane::tessel::test_support {

using namespace ::testing;

sensor_harness::sensor_harness() {
    dispatcher.register_sensor_as<aws::alarm_sensor>("alarm_sensor");
    dispatcher.register_sensor_as<aws::awscost>("awscost");
    dispatcher.register_sensor_as<aws::ebs_sensor>("ebs_sensor");
    dispatcher.register_sensor_as<aws::ec2_sensor>("ec2_sensor");
    dispatcher.register_sensor_as<aws::elb_sensor>("elb_sensor");
    dispatcher.register_sensor_as<aws::rds_sensor>("rds_sensor");
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics).Times(AnyNumber());
    EXPECT_CALL(*host.cost, get_cost_and_usage).Times(AnyNumber());
    EXPECT_CALL(*host.cost, get_cost_forecast).Times(AnyNumber());
}

settings_buffer sensor_harness::settings(const std::string& kind) {
    static const std::map<std::string, std::map<std::string, std::string>> resources{
        {"alarm_sensor", {{"name", "watch"}, {"type", "Metric"}, {"description", ""}}},
        {"awscost", {}},
        {"ebs_sensor",
         {{"id", "vol-1"},
          {"name", ""},
          {"size", "8"},
          {"type", "gp3"},
          {"state", ""},
          {"attachment_information", ""}}},
        {"ec2_sensor", {{"id", "i-1"}, {"name", "web"}}},
        {"elb_sensor", {{"id", "app/web/1"}, {"name", "web"}, {"type", "application"}}},
        {"rds_sensor", {{"identifier", "db"}, {"engine", "mysql"}}},
    };
    return sensor_settings(kind, resources.at(kind));
}

void sensor_harness::create(const settings_buffer& settings, bool forget) {
    ASSERT_EQ(dispatcher.create_sensor_instance(sensor_id, settings.wrapper()),
              libvexahelper::sensor_create_response_code::success)
        << PrintToString(host.runtime_log->texts());
    if (forget) {
        host.messages->clear();
    }
}

void sensor_harness::scan() {
    EXPECT_EQ(dispatcher.execute_sensor_scan(sensor_id), libvexahelper::sensor_scan_response_code::success);
}

json sensor_harness::last_result() const {
    const auto all = results();
    return all.empty() ? json() : all.back();
}

std::map<std::int32_t, json> sensor_harness::values() const {
    std::map<std::int32_t, json> values;
    const auto result = last_result();
    for (const auto& channel : result.value("channels", json::array())) {
        values[channel.at("id").get<std::int32_t>()] = channel;
    }
    return values;
}

std::map<std::int32_t, double> sensor_harness::numbers() const {
    std::map<std::int32_t, double> numbers;
    for (const auto& [id, channel] : values()) {
        numbers[id] =
            channel.contains("float") ? channel["float"].get<double>() : channel["integer"].get<double>();
    }
    return numbers;
}

std::vector<json> sensor_harness::announced() const {
    std::vector<json> channels;
    for (const auto& message : host.messages->of_type("dynamic_channel")) {
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
        values[message.at("key").get<std::string>()] = message.at("value").get<std::string>();
    }
    return values;
}

std::size_t sensor_harness::log_count(const std::string& text) const {
    const auto lines = host.sensor_log->texts();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), text));
}

std::size_t sensor_harness::log_count_starting(const std::string& prefix, const std::string& suffix) const {
    const auto lines = host.sensor_log->texts();
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.starts_with(prefix) && line.ends_with(suffix);
    }));
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
    return Aws::CloudWatch::Model::Dimension().WithName(name).WithValue(value);
}

Aws::CloudWatch::Model::Metric listed_metric(const std::string& name, const dimension_list& dimensions) {
    return Aws::CloudWatch::Model::Metric().WithMetricName(name).WithDimensions(dimensions);
}

::testing::Matcher<const dimension_list&> dimensions_are(const dimension_list& expected) {
    return Truly([expected](const dimension_list& actual) {
        return std::equal(actual.begin(), actual.end(), expected.begin(), expected.end(),
                          [](const auto& a, const auto& b) {
                              return a.GetName() == b.GetName() && a.GetValue() == b.GetValue();
                          });
    });
}

::testing::AssertionResult has_members(const json& object, const json& expected) {
    for (const auto& [key, value] : expected.items()) {
        if (!object.contains(key) || object.at(key) != value) {
            return AssertionFailure() << key << " is " << object.value(key, json()).dump() << ", not "
                                      << value.dump() << " in " << object.dump();
        }
    }
    return AssertionSuccess();
}

}  // namespace orvane::tessel::test_support
