#include <aws/monitoring/model/MetricDataQuery.h>
#include <aws/monitoring/model/MetricStat.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "aws/clients/alarm.h"
#include "aws/sensors/alarm_sensor.h"
#include "aws/sensors/sensor_support.h"
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

// A metric alarm on one metric, or on several through metric-statistic queries.
std::shared_ptr<aws::Alarm> metric_alarm(const std::vector<std::string>& metrics,
                                         StateValue state = StateValue::ALARM) {
    model::MetricAlarm alarm;
    alarm.WithAlarmName("watch").WithStateValue(state);
    if (metrics.size() == 1) {
        alarm.WithMetricName(metrics[0])
            .WithNamespace("AWS/EC2")
            .WithStatistic(Statistic::Maximum)
            .WithPeriod(120)
            .AddDimensions(dimension("InstanceId", "i-1"));
    } else {
        for (const auto& metric : metrics) {
            model::Metric watched;
            watched.WithMetricName(metric).WithNamespace("AWS/EC2");
            alarm.AddMetrics(model::MetricDataQuery().WithId("q").WithMetricStat(
                model::MetricStat().WithMetric(watched).WithPeriod(60).WithStat("Average")));
        }
    }
    return std::make_shared<aws::MetricAlarm>(alarm);
}

std::shared_ptr<aws::Alarm> child(const std::string& name, StateValue state) {
    return std::make_shared<aws::MetricAlarm>(model::MetricAlarm().WithAlarmName(name).WithStateValue(state));
}

std::shared_ptr<aws::Alarm> composite_alarm(std::vector<std::shared_ptr<aws::Alarm>> children,
                                            StateValue state = StateValue::OK) {
    return std::make_shared<aws::CompositeAlarm>(
        model::CompositeAlarm().WithAlarmName("watch").WithStateValue(state), std::move(children));
}

struct AlarmSensor : ::testing::Test, sensor_harness {
    AlarmSensor() { register_kind<aws::alarm_sensor>("alarm_sensor"); }

    static settings_buffer settings(const std::string& type) {
        return settings_buffer("alarm_sensor")
            .set("alarm_metascan_section.alarm_metascan_group.name", "watch")
            .set("alarm_metascan_section.alarm_metascan_group.type", type)
            .set("alarm_metascan_section.alarm_metascan_group.description", "")
            .set("alarm_metascan_section.alarm_metascan_group.region", "ap-south-1")
            .set("alarm_metascan_section.alarm_metascan_group.region_display_name", "Asia Pacific (Mumbai)");
    }

    void alarm_is(const std::shared_ptr<aws::Alarm>& alarm, bool with_children) {
        ON_CALL(*host.cloudwatch, get_alarm(_, "watch", with_children)).WillByDefault(Return(alarm));
    }
};

TEST_F(AlarmSensor, FirstScanOfAMetricAlarmStoresNamesUnitAndIds) {
    create(settings("Metric"));
    ASSERT_THAT(announced_ids(), ElementsAre(0));
    EXPECT_EQ(announced()[0]["name"], "channel.AlarmState");
    EXPECT_EQ(announced()[0]["value_mode"], 1);
    EXPECT_EQ(announced()[0]["value_lookup"], "lookup_alarm_status");
    host.messages->clear();

    alarm_is(metric_alarm({"CPUUtilization"}), false);
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, dimensions_are(dimension_list{dimension("InstanceId", "i-1")}),
                                      "AWS/EC2", "CPUUtilization", Statistic::Maximum, 120))
        .WillRepeatedly(Return(with_value(42.5, StandardUnit::Percent)));
    scan();
    scan();

    EXPECT_EQ(persisted(), (std::map<std::string, std::string>{{"metric_names", "CPUUtilization"},
                                                               {"metric_unit", "Percent"},
                                                               {"CPUUtilization", "1"},
                                                               {"next_channel_id", "2"}}));
    EXPECT_EQ(persisted_count(), 4u);  // nothing more on the second scan
    ASSERT_THAT(announced_ids(), ElementsAre(1));
    const auto channel = announced()[0];
    EXPECT_EQ(channel["name"], "channel.1");
    EXPECT_EQ(channel["display_text"], "CPUUtilization");
    EXPECT_EQ(channel["value_mode"], 3);
    EXPECT_EQ(channel["unit"], 5);
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{0, 2.0}, {1, 42.5}}));
    EXPECT_TRUE(is_integer(0));
    EXPECT_EQ(log_count("Alarm State: In alarm"), 2u);
    EXPECT_EQ(log_count("1: CPUUtilization:  42.500000 Percent"), 2u);
}

struct unit_case {
    StandardUnit unit;
    double reading;
    double reported;
    std::int32_t unit_code;
    std::int32_t size_code;
    const char* custom_unit;
    const char* name;
};

class AlarmUnits : public AlarmSensor, public ::testing::WithParamInterface<unit_case> {};

TEST_P(AlarmUnits, ValueIsScaledToTheHostUnitAndTheSizeCodeKeepsTheOriginal) {
    const auto& c = GetParam();
    create(settings("Metric"));
    host.messages->clear();
    alarm_is(metric_alarm({"Metric"}), false);
    answer_metrics(*host.cloudwatch, {{"Metric", c.reading}}, c.unit);
    scan();
    ASSERT_EQ(announced().size(), 1u);
    EXPECT_EQ(announced()[0]["unit"], c.unit_code);
    EXPECT_EQ(announced()[0]["size_code"], c.size_code);
    EXPECT_EQ(announced()[0]["custom_unit"], c.custom_unit);
    EXPECT_DOUBLE_EQ(values().at(1), c.reported);
    EXPECT_EQ(persisted().at("metric_unit"), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Units, AlarmUnits,
    ::testing::Values(unit_case{StandardUnit::Kilobytes, 2.5, 2500.0, 12, 7, "", "Kilobytes"},
                      unit_case{StandardUnit::Bytes, 3.0, 3.0, 12, 6, "", "Bytes"},
                      unit_case{StandardUnit::Bits, 16.0, 2.0, 12, 11, "", "Bits"},
                      unit_case{StandardUnit::Terabits, 2.0, 2.5e11, 12, 15, "", "Terabits"},
                      unit_case{StandardUnit::Megabits_Second, 8.0, 1e6, 14, 13, "", "Megabits/Second"},
                      unit_case{StandardUnit::Gigabytes_Second, 1.5, 1.5e9, 14, 9, "", "Gigabytes/Second"},
                      unit_case{StandardUnit::Microseconds, 250.0, 2.5e-4, 7, 0, "", "Microseconds"},
                      unit_case{StandardUnit::Milliseconds, 4.0, 0.004, 7, 0, "", "Milliseconds"},
                      unit_case{StandardUnit::Count_Second, 3.0, 3.0, 8, 0, "#/s", "Count/Second"},
                      unit_case{StandardUnit::Count, 3.0, 3.0, 10, 0, "", "Count"},
                      unit_case{StandardUnit::None, 3.0, 3.0, 0, 0, "", "None"},
                      unit_case{StandardUnit::NOT_SET, 3.0, 3.0, 0, 0, "", ""}));

TEST_F(AlarmSensor, CompositeChildrenKeepTheirIdsWhenReorderedAndAcrossRecreation) {
    create(settings("Composite"));
    host.messages->clear();
    alarm_is(composite_alarm({child("B", StateValue::ALARM), child("A", StateValue::OK)}), true);
    scan();
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{0, 1.0}, {1, 2.0}, {2, 1.0}}));
    EXPECT_EQ(log_count("    1: B:  In alarm"), 1u);

    alarm_is(composite_alarm({child("A", StateValue::INSUFFICIENT_DATA), child("B", StateValue::OK)}), true);
    scan();
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{0, 1.0}, {1, 1.0}, {2, 0.0}}));
    ASSERT_THAT(announced_ids(), ElementsAre(1, 2));
    EXPECT_EQ(announced()[1]["display_text"], "A");
    EXPECT_EQ(announced()[1]["value_lookup"], "lookup_alarm_status");
    const auto stored = persisted();
    EXPECT_EQ(stored, (std::map<std::string, std::string>{{"B", "1"}, {"A", "2"}, {"next_channel_id", "3"}}));

    // The host hands back what it stored, with the channels it knows.
    destroy();
    host.messages->clear();
    auto again = settings("Composite").channel(0, "Alarm State").channel(1, "B").channel(2, "A");
    for (const auto& [key, value] : stored) {
        again.persistent(key, value);
    }
    create(again);
    alarm_is(composite_alarm(
                 {child("C", StateValue::ALARM), child("A", StateValue::OK), child("B", StateValue::OK)}),
             true);
    scan();
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{0, 1.0}, {1, 1.0}, {2, 1.0}, {3, 2.0}}));
    EXPECT_THAT(announced_ids(), ElementsAre(3));
    EXPECT_EQ(persisted(), (std::map<std::string, std::string>{{"C", "3"}, {"next_channel_id", "4"}}));
}

TEST_F(AlarmSensor, MetricAlarmOnSeveralMetricsWithDifferentUnitsFailsOnItsFirstScan) {
    create(settings("Metric"));
    alarm_is(metric_alarm({"NetworkIn", "CPUUtilization"}), false);
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics(_, _, "AWS/EC2", "NetworkIn", Statistic::Average, 60))
        .WillOnce(Return(with_value(1.0, StandardUnit::Bytes)));
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, _, "AWS/EC2", "CPUUtilization", Statistic::Average, 60))
        .WillOnce(Return(with_value(1.0, StandardUnit::Percent)));
    scan();
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["message"]["encoded"], "#:error.alarm_has_wrong_unit[watch,Bytes,Percent]");
    EXPECT_EQ(persisted().at("metric_names"), "NetworkIn, CPUUtilization");
    EXPECT_EQ(persisted().at("metric_unit"), "Bytes");
}

// A stored value that no longer matches what the alarm is now.
struct change_case {
    const char* name;
    const char* type;
    std::map<std::string, std::string> stored;
    std::function<std::shared_ptr<aws::Alarm>()> alarm;
    const char* message;
};

void PrintTo(const change_case& c, std::ostream* os) {
    *os << c.name;
}

class AlarmChanges : public AlarmSensor, public ::testing::WithParamInterface<change_case> {};

TEST_P(AlarmChanges, ScanFailsAndLeavesThePersistentDataAlone) {
    const auto& c = GetParam();
    auto buffer = settings(c.type);
    for (const auto& [key, value] : c.stored) {
        buffer.persistent(key, value);
    }
    create(buffer);
    ON_CALL(*host.cloudwatch, get_alarm).WillByDefault(Return(c.alarm()));
    answer_metrics(*host.cloudwatch, {{"CPUUtilization", 1.0}, {"NetworkIn", 1.0}}, StandardUnit::Percent);
    scan();
    scan();
    ASSERT_EQ(results().size(), 2u);
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["message"]["encoded"], c.message);
    EXPECT_EQ(persisted_count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, AlarmChanges,
    ::testing::Values(change_case{"metric_became_composite",
                                  "Metric",
                                  {},
                                  [] { return composite_alarm({}); },
                                  "#:error.alarm_has_wrong_type[watch,Metric,Composite]"},
                      change_case{"composite_became_metric",
                                  "Composite",
                                  {},
                                  [] { return metric_alarm({}); },
                                  "#:error.alarm_has_wrong_type[watch,Composite,Metric]"},
                      change_case{"other_metric",
                                  "Metric",
                                  {{"metric_names", "CPUUtilization"}},
                                  [] { return metric_alarm({"NetworkIn"}); },
                                  "#:error.alarm_has_wrong_metric[watch,CPUUtilization,NetworkIn]"},
                      change_case{"other_unit",
                                  "Metric",
                                  {{"metric_names", "NetworkIn"},
                                   {"metric_unit", "Bytes"},
                                   {"NetworkIn", "1"},
                                   {"next_channel_id", "2"}},
                                  [] { return metric_alarm({"NetworkIn"}); },
                                  "#:error.alarm_has_wrong_unit[watch,Bytes,Percent]"},
                      change_case{"unknown_type",
                                  "metric",
                                  {},
                                  [] { return metric_alarm({"NetworkIn"}); },
                                  "#:error.unknown_alarm_type[metric]"},
                      change_case{"alarm_gone",
                                  "Metric",
                                  {},
                                  [] { return std::shared_ptr<aws::Alarm>(); },
                                  "#:error.no_alarm_found[watch]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AlarmSensor, AlarmWithoutMetricReportsItsStateOnly) {
    create(settings("Metric"));
    alarm_is(metric_alarm({}, StateValue::OK), false);
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics).Times(0);
    scan();
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{0, 1.0}}));
    EXPECT_EQ(persisted(), (std::map<std::string, std::string>{{"metric_names", "no metric set"}}));
}

struct stored_id_case {
    const char* stored;
    const char* message;
};

class AlarmStoredIds : public AlarmSensor, public ::testing::WithParamInterface<stored_id_case> {};

TEST_P(AlarmStoredIds, StoredIdThatIsNoNumberFailsTheScanWithTheStandardText) {
    create(settings("Composite").persistent("A", GetParam().stored));
    alarm_is(composite_alarm({child("A", StateValue::OK)}), true);
    scan();
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["message"]["text"], GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Stored, AlarmStoredIds,
                         ::testing::Values(stored_id_case{"abc", "invalid stoi argument"},
                                           stored_id_case{"", "invalid stoi argument"},
                                           stored_id_case{"99999999999", "stoi argument out of range"},
                                           stored_id_case{"-2147483649", "stoi argument out of range"}));

struct parse_case {
    const char* text;
    std::int32_t id;
};

class ChannelIdText : public ::testing::TestWithParam<parse_case> {};

TEST_P(ChannelIdText, IsReadLikeTheStandardConversion) {
    EXPECT_EQ(aws::sensor_support::parse_channel_id(GetParam().text), GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(Texts, ChannelIdText,
                         ::testing::Values(parse_case{"7", 7}, parse_case{"  12", 12}, parse_case{"+3", 3},
                                           parse_case{"-4", -4}, parse_case{"15abc", 15},
                                           parse_case{"2147483647", 2147483647},
                                           parse_case{"-2147483648", -2147483647 - 1}));

TEST(ChannelIdTextErrors, SignsWithoutDigitsAreInvalid) {
    for (const char* text : {"+", "-", "+-1", " ", "x1"}) {
        EXPECT_THROW(aws::sensor_support::parse_channel_id(text), std::invalid_argument) << text;
    }
    EXPECT_THROW(aws::sensor_support::parse_channel_id("2147483648"), std::out_of_range);
}

TEST_F(AlarmSensor, LargestIdIsHandedOutOnceAndTheNextNewNameFails) {
    create(settings("Composite").persistent("next_channel_id", "2147483647"));
    alarm_is(composite_alarm({child("A", StateValue::OK)}), true);
    scan();
    EXPECT_EQ(persisted().at("next_channel_id"), "2147483648");
    EXPECT_EQ(values().at(2147483647), 1.0);
    alarm_is(composite_alarm({child("A", StateValue::OK), child("B", StateValue::OK)}), true);
    scan();
    EXPECT_EQ(last_result()["message"]["text"], "stoi argument out of range");
}

}  // namespace
