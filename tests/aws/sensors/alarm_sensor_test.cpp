#include <aws/monitoring/model/MetricDataQuery.h>
#include <aws/monitoring/model/MetricStat.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <variant>

#include "aws/clients/alarm.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
using Aws::CloudWatch::Model::StandardUnit;
using Aws::CloudWatch::Model::StateValue;
using Aws::CloudWatch::Model::Statistic;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Return;

namespace model = Aws::CloudWatch::Model;
using stored_map = std::map<std::string, std::string>;
using values_map = std::map<std::int32_t, double>;

// A metric alarm on one metric of its own, or on several through metric-statistic queries.
std::shared_ptr<aws::Alarm> metric_alarm(const std::vector<std::string>& metrics,
                                         StateValue state = StateValue::ALARM) {
    auto alarm = model::MetricAlarm().WithAlarmName("watch").WithStateValue(state);
    if (metrics.size() == 1) {
        alarm.WithMetricName(metrics[0])
            .WithNamespace("AWS/EC2")
            .WithStatistic(Statistic::Maximum)
            .WithPeriod(120);
        alarm.AddDimensions(dimension("InstanceId", "i-1"));
    } else {
        for (const auto& metric : metrics) {
            const auto stat = model::MetricStat().WithPeriod(60).WithStat("Average").WithMetric(
                model::Metric().WithMetricName(metric).WithNamespace("AWS/EC2"));
            alarm.AddMetrics(model::MetricDataQuery().WithId("q").WithMetricStat(stat));
        }
    }
    return std::make_shared<aws::MetricAlarm>(alarm);
}

std::shared_ptr<aws::Alarm> composite_alarm(const std::vector<std::pair<std::string, StateValue>>& children) {
    std::vector<std::shared_ptr<aws::Alarm>> alarms;
    alarms.reserve(children.size());
    for (const auto& [name, state] : children) {
        alarms.push_back(std::make_shared<aws::MetricAlarm>(
            model::MetricAlarm().WithAlarmName(name).WithStateValue(state)));
    }
    return std::make_shared<aws::CompositeAlarm>(
        model::CompositeAlarm().WithAlarmName("watch").WithStateValue(StateValue::OK), alarms);
}

struct AlarmSensor : ::testing::Test, sensor_harness {
    static settings_buffer alarm(const std::string& type, const stored_map& stored = {}) {
        auto buffer = settings("alarm_sensor").set("alarm_metascan_section.alarm_metascan_group.type", type);
        for (const auto& [key, value] : stored) {
            buffer.persistent(key, value);
        }
        return buffer;
    }
    void alarm_is(const std::shared_ptr<aws::Alarm>& alarm) {
        ON_CALL(*host.cloudwatch, get_alarm(_, "watch", _)).WillByDefault(Return(alarm));
    }
};

TEST_F(AlarmSensor, FirstScanOfAMetricAlarmStoresNamesUnitAndIdsOnce) {
    create(alarm("Metric"), false);
    EXPECT_TRUE(has_members(announced().at(0), {{"channel_id", 0},
                                                {"name", "channel.AlarmState"},
                                                {"value_mode", 1},
                                                {"value_lookup", "lookup_alarm_status"}}));
    host.messages->clear();
    alarm_is(metric_alarm({"CPUUtilization"}));
    EXPECT_CALL(*host.cloudwatch, get_alarm(_, "watch", false)).Times(2);
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics(_, dimensions_are({dimension("InstanceId", "i-1")}),
                                                        "AWS/EC2", "CPUUtilization", Statistic::Maximum, 120))
        .WillRepeatedly(Return(with_value(42.5, StandardUnit::Percent)));
    scan();
    scan();
    EXPECT_EQ(host.messages->of_type("persistent_data").size(), 4u);
    EXPECT_EQ(persisted(), (stored_map{{"metric_names", "CPUUtilization"},
                                       {"metric_unit", "Percent"},
                                       {"CPUUtilization", "1"},
                                       {"next_channel_id", "2"}}));
    ASSERT_THAT(announced_ids(), ElementsAre(1));
    EXPECT_TRUE(has_members(announced()[0], {{"name", "channel.1"}, {"display_text", "CPUUtilization"}}));
    EXPECT_EQ(numbers(), (values_map{{0, 2.0}, {1, 42.5}}));
    EXPECT_TRUE(values().at(0).contains("integer"));
    EXPECT_EQ(log_count("Alarm State: In alarm"), 2u);
    EXPECT_EQ(log_count("1: CPUUtilization:  42.500000 Percent"), 2u);
}

struct unit_case {
    StandardUnit unit;
    double reading;
    double reported;
    std::int32_t host_unit;
    std::int32_t size_code;
    const char* custom_unit;
    const char* name;
};

class AlarmUnits : public AlarmSensor, public ::testing::WithParamInterface<unit_case> {};

TEST_P(AlarmUnits, ValueIsScaledToTheHostUnitAndTheSizeCodeKeepsTheOriginal) {
    const auto& c = GetParam();
    create(alarm("Metric"));
    alarm_is(metric_alarm({"Metric"}));
    answer_metrics(*host.cloudwatch, {{"Metric", c.reading}}, c.unit);
    scan();
    ASSERT_EQ(announced().size(), 1u);
    EXPECT_TRUE(has_members(announced()[0], {{"value_mode", 3},
                                             {"unit", c.host_unit},
                                             {"size_code", c.size_code},
                                             {"custom_unit", c.custom_unit}}));
    EXPECT_DOUBLE_EQ(numbers().at(1), c.reported);
    EXPECT_EQ(persisted().at("metric_unit"), c.name);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Units, AlarmUnits, ::testing::Values(
    unit_case{StandardUnit::Kilobytes, 2.5, 2500.0, 12, 7, "", "Kilobytes"},
    unit_case{StandardUnit::Bytes, 3.0, 3.0, 12, 6, "", "Bytes"},
    unit_case{StandardUnit::Bits, 16.0, 2.0, 12, 11, "", "Bits"},
    unit_case{StandardUnit::Terabits, 2.0, 2.5e11, 12, 15, "", "Terabits"},
    unit_case{StandardUnit::Megabits_Second, 8.0, 1e6, 14, 13, "", "Megabits/Second"},
    unit_case{StandardUnit::Gigabytes_Second, 1.5, 1.5e9, 14, 9, "", "Gigabytes/Second"},
    unit_case{StandardUnit::Microseconds, 250.0, 2.5e-4, 7, 0, "", "Microseconds"},
    unit_case{StandardUnit::Milliseconds, 4.0, 0.004, 7, 0, "", "Milliseconds"},
    unit_case{StandardUnit::Percent, 4.0, 4.0, 5, 0, "", "Percent"},
    unit_case{StandardUnit::Count_Second, 3.0, 3.0, 8, 0, "#/s", "Count/Second"},
    unit_case{StandardUnit::None, 3.0, 3.0, 0, 0, "", "None"},
    unit_case{StandardUnit::NOT_SET, 3.0, 3.0, 0, 0, "", ""}));
// clang-format on

TEST_F(AlarmSensor, CompositeChildrenKeepTheirIdsWhenReorderedAndAcrossRecreation) {
    create(alarm("Composite"));
    alarm_is(composite_alarm({{"B", StateValue::ALARM}, {"A", StateValue::OK}}));
    scan();
    EXPECT_EQ(numbers(), (values_map{{0, 1}, {1, 2}, {2, 1}}));
    EXPECT_EQ(log_count("    1: B:  In alarm"), 1u);
    alarm_is(composite_alarm({{"A", StateValue::INSUFFICIENT_DATA}, {"B", StateValue::OK}}));
    scan();
    EXPECT_EQ(numbers(), (values_map{{0, 1}, {1, 1}, {2, 0}}));
    ASSERT_THAT(announced_ids(), ElementsAre(1, 2));
    EXPECT_TRUE(has_members(announced()[1], {{"name", "channel.2"},
                                             {"display_text", "A"},
                                             {"value_mode", 1},
                                             {"value_lookup", "lookup_alarm_status"}}));
    const auto stored = persisted();
    EXPECT_EQ(stored, (stored_map{{"B", "1"}, {"A", "2"}, {"next_channel_id", "3"}}));

    // The host creates the sensor again with what it kept, and knows its channels.
    ASSERT_EQ(dispatcher.destroy_sensor_instance(sensor_id),
              libvexahelper::sensor_destroy_response_code::success);
    create(alarm("Composite", stored).channel(0, "Alarm State").channel(1, "B").channel(2, "A"));
    EXPECT_TRUE(announced().empty());
    alarm_is(composite_alarm({{"C", StateValue::ALARM}, {"A", StateValue::OK}, {"B", StateValue::OK}}));
    scan();
    EXPECT_EQ(numbers(), (values_map{{0, 1}, {1, 1}, {2, 1}, {3, 2}}));
    EXPECT_THAT(announced_ids(), ElementsAre(3));
    EXPECT_EQ(persisted(), (stored_map{{"C", "3"}, {"next_channel_id", "4"}}));
}

TEST_F(AlarmSensor, MetricsWithDifferentUnitsFailTheFirstScan) {
    create(alarm("Metric"));
    alarm_is(metric_alarm({"NetworkIn", "CPUUtilization"}));
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics(_, _, "AWS/EC2", "NetworkIn", Statistic::Average, 60))
        .WillOnce(Return(with_value(1.0, StandardUnit::Bytes)));
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, _, "AWS/EC2", "CPUUtilization", Statistic::Average, 60))
        .WillOnce(Return(with_value(1.0, StandardUnit::Percent)));
    scan();
    EXPECT_EQ(last_result()["response_message"]["encoded"],
              "#:error.alarm_has_wrong_unit[watch,Bytes,Percent]");
    EXPECT_EQ(persisted().at("metric_names"), "NetworkIn, CPUUtilization");
    EXPECT_EQ(persisted().at("metric_unit"), "Bytes");
}

TEST_F(AlarmSensor, AlarmWithoutMetricReportsItsStateOnly) {
    create(alarm("Metric"));
    alarm_is(metric_alarm({}, StateValue::OK));
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics).Times(0);
    scan();
    EXPECT_EQ(numbers(), (values_map{{0, 1}}));
    EXPECT_EQ(persisted(), (stored_map{{"metric_names", "no metric set"}}));
}

// What the alarm is now against what the sensor stored: every scan fails, nothing is stored.
struct change_case {
    const char* name;
    const char* type;
    stored_map stored;
    std::function<std::shared_ptr<aws::Alarm>()> alarm;
    const char* message;
};

class AlarmChanges : public AlarmSensor, public ::testing::WithParamInterface<change_case> {};

TEST_P(AlarmChanges, ScanFailsAndLeavesThePersistentDataAlone) {
    const auto& c = GetParam();
    create(alarm(c.type, c.stored));
    ON_CALL(*host.cloudwatch, get_alarm).WillByDefault(Return(c.alarm()));
    answer_metrics(*host.cloudwatch, {{"CPUUtilization", 1.0}, {"NetworkIn", 1.0}}, StandardUnit::Percent);
    scan();
    scan();
    ASSERT_EQ(results().size(), 2u);
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["response_message"]["encoded"], c.message);
    EXPECT_TRUE(persisted().empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Changes, AlarmChanges, ::testing::Values(
    change_case{"metric_became_composite", "Metric", {}, [] { return composite_alarm({}); },
                "#:error.alarm_has_wrong_type[watch,Metric,Composite]"},
    change_case{"composite_became_metric", "Composite", {}, [] { return metric_alarm({}); },
                "#:error.alarm_has_wrong_type[watch,Composite,Metric]"},
    change_case{"other_metric", "Metric", {{"metric_names", "CPUUtilization"}}, [] { return metric_alarm({"NetworkIn"}); },
                "#:error.alarm_has_wrong_metric[watch,CPUUtilization,NetworkIn]"},
    change_case{"other_unit", "Metric", {{"metric_names", "NetworkIn"}, {"metric_unit", "Bytes"}, {"NetworkIn", "1"}, {"next_channel_id", "2"}},
                [] { return metric_alarm({"NetworkIn"}); }, "#:error.alarm_has_wrong_unit[watch,Bytes,Percent]"},
    change_case{"unknown_type", "metric", {}, [] { return metric_alarm({"NetworkIn"}); }, "#:error.unknown_alarm_type[metric]"},
    change_case{"alarm_gone", "Metric", {}, [] { return std::shared_ptr<aws::Alarm>(); }, "#:error.no_alarm_found[watch]"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Stored ids are read like std::stoi reads them, with the same texts on every standard library.
struct stored_id_case {
    const char* text;
    std::variant<std::int32_t, const char*> outcome;
};

class StoredIds : public AlarmSensor, public ::testing::WithParamInterface<stored_id_case> {};

TEST_P(StoredIds, AreReadLikeTheStandardConversion) {
    const auto& c = GetParam();
    create(alarm("Composite", {{"A", c.text}}));
    alarm_is(composite_alarm({{"A", StateValue::OK}}));
    scan();
    if (const auto* id = std::get_if<std::int32_t>(&c.outcome)) {
        EXPECT_EQ(numbers(), (values_map{{0, 1}, {*id, 1}}));
    } else {
        EXPECT_EQ(last_result()["response_message"]["text"], std::get<const char*>(c.outcome));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, StoredIds, ::testing::Values(
    stored_id_case{"  12", 12}, stored_id_case{"+3", 3}, stored_id_case{"15abc", 15}, stored_id_case{"2147483647", 2147483647},
    stored_id_case{"abc", "invalid stoi argument"}, stored_id_case{"", "invalid stoi argument"},
    stored_id_case{"+-1", "invalid stoi argument"}, stored_id_case{"99999999999", "stoi argument out of range"},
    stored_id_case{"-2147483649", "stoi argument out of range"}));
// clang-format on

}  // namespace
