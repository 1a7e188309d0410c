#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/sensor_dispatcher.h"
#include "tests/aws/support/client_mocks.h"
#include "tests/support/settings_buffer.h"

namespace orvane::tessel::test_support {

// A sensor kind behind the dispatcher, as the host drives it, with mocked AWS clients.
class sensor_harness {
public:
    static constexpr std::int32_t sensor_id = 7;

    // Requests that a test does not expect explicitly take the mock's default answer.
    sensor_harness();

    template <class Kind>
    void register_kind(const std::string& name) {
        dispatcher.register_sensor_as<Kind>(name);
    }

    // Creates the sensor (expecting success) and forgets what creation sent.
    void create(const settings_buffer& settings);
    void destroy();
    void scan();

    std::vector<json> results() const { return host.messages->of_type("sensor_scan_result"); }
    json last_result() const;
    // Channel values of the last result by id: doubles, and integers as doubles.
    std::map<std::int32_t, double> values() const;
    // Whether a value of the last result travels as an integer.
    bool is_integer(std::int32_t channel_id) const;
    // The channel objects of the dynamic_channel messages, and their ids, in order.
    std::vector<json> announced() const;
    std::vector<std::int32_t> announced_ids() const;
    std::map<std::string, std::string> persisted() const;  // key to value, the last value sent wins
    std::size_t persisted_count() const { return host.messages->of_type("persistent_data").size(); }
    std::size_t log_count(const std::string& text) const;

    aws_fake_host host;
    libvexahelper::sensor_dispatcher dispatcher{host.container};
};

// Every get_metric_statistics answers from this table by metric name; other metrics have no data.
void answer_metrics(mock_cloudwatch_client& cloudwatch, const std::map<std::string, double>& values,
                    Aws::CloudWatch::Model::StandardUnit unit = Aws::CloudWatch::Model::StandardUnit::None);

metric_statistic with_value(
    double value, Aws::CloudWatch::Model::StandardUnit unit = Aws::CloudWatch::Model::StandardUnit::None);

Aws::CloudWatch::Model::Dimension dimension(const std::string& name, const std::string& value);

// Matches a dimension list by names and values (the SDK's Dimension has no equality).
::testing::Matcher<const dimension_list&> dimensions_are(const dimension_list& expected);
Aws::CloudWatch::Model::Metric listed_metric(const std::string& name, const dimension_list& dimensions);

}  // namespace orvane::tessel::test_support
