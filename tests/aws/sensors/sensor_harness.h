#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/sensor_dispatcher.h"
#include "tests/aws/sensors/sensor_settings.h"
#include "tests/aws/support/client_mocks.h"

namespace orvane::tessel::test_support {

// The six kinds behind the dispatcher, as the host drives them, with mocked AWS clients. Requests
// that a test does not expect explicitly take the mocks' default answers.
class sensor_harness {
public:
    static constexpr std::int32_t sensor_id = 7;

    sensor_harness();

    // Complete settings of a kind (interval 300, region us-east-1), for the test to adjust.
    static settings_buffer settings(const std::string& kind);
    // Creates the sensor (expecting success) and forgets what creation sent.
    void create(const settings_buffer& settings, bool forget = true);
    void scan();

    std::vector<json> results() const { return host.messages->of_type("sensor_scan_result"); }
    json last_result() const;
    // Channel values of the last result: id to {"id", "integer" or "float"}, and to the number alone.
    std::map<std::int32_t, json> values() const;
    std::map<std::int32_t, double> numbers() const;
    // The channel objects of the dynamic_channel messages, in order, and their ids.
    std::vector<json> announced() const;
    std::vector<std::int32_t> announced_ids() const;
    std::map<std::string, std::string> persisted() const;  // the last value sent per key
    std::size_t log_count(const std::string& text) const;
    std::size_t log_count_starting(const std::string& prefix, const std::string& suffix = "") const;

    aws_fake_host host;
    libvexahelper::sensor_dispatcher dispatcher{host.container, "1.0"};
};

// Every statistic answers from this table by metric name; other metrics have no data.
void answer_metrics(mock_cloudwatch_client& cloudwatch, const std::map<std::string, double>& values,
                    Aws::CloudWatch::Model::StandardUnit unit = Aws::CloudWatch::Model::StandardUnit::None);
metric_statistic with_value(
    double value, Aws::CloudWatch::Model::StandardUnit unit = Aws::CloudWatch::Model::StandardUnit::None);
Aws::CloudWatch::Model::Dimension dimension(const std::string& name, const std::string& value);
Aws::CloudWatch::Model::Metric listed_metric(const std::string& name, const dimension_list& dimensions);
// By names and values: the SDK's Dimension has no equality.
::testing::Matcher<const dimension_list&> dimensions_are(const dimension_list& expected);
// Every member of expected is in the object with the same value.
::testing::AssertionResult has_members(const json& object, const json& expected);

}  // namespace orvane::tessel::test_support
