// The EC2, EBS, RDS and ELB sensors: what each asks CloudWatch, what it reports and announces.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "framework/exceptions.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
using Aws::CloudWatch::Model::Statistic;
using ::testing::_;
using ::testing::ElementsAreArray;
using ::testing::Return;

struct MetricSensors : ::testing::Test, sensor_harness {};

// A kind's settings with one setting changed: "interval=900", "type=network" (the load balancer's).
settings_buffer kind(const std::string& name, const std::string& change = "") {
    auto settings = sensor_harness::settings(name);
    const auto equals = change.find('=');
    const std::string key = change.substr(0, equals);
    return change.empty() ? settings
                          : settings.set(key == "type" ? "elb_metascan_section.elb_metascan_group.type" : key,
                                         change.substr(equals + 1));
}

// The four limit slots of a channel's options: lower and upper error limit, then the warnings.
json limits(std::optional<double> lower, std::optional<double> upper) {
    json slots = json::array();
    for (const auto& limit : {lower, upper, std::optional<double>(), std::optional<double>()}) {
        slots.push_back({{"enabled", limit.has_value()}, {"value", limit.value_or(0.0)}});
    }
    return slots;
}

struct creation_case {
    const char* name;
    settings_buffer settings;
    std::vector<std::int32_t> ids;
    std::map<std::size_t, json> options;  // by position among the announced channels
};

class Creation : public MetricSensors, public ::testing::WithParamInterface<creation_case> {};

TEST_P(Creation, FixedChannelsAreAnnouncedInTableOrderWithTheirOptions) {
    create(GetParam().settings, false);
    EXPECT_THAT(announced_ids(), ElementsAreArray(GetParam().ids));
    for (const auto& [position, options] : GetParam().options) {
        EXPECT_TRUE(has_members(announced().at(position), options));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, Creation, ::testing::Values(
    creation_case{"ec2", kind("ec2_sensor"), {1, 2, 3, 10, 11},
        {{0, {{"name", "channel.CPUUtilization"}, {"value_mode", 3}, {"unit", 11}, {"display_text", ""}}},
         {1, {{"name", "channel.NetworkIn"}, {"unit", 1}, {"size_code", 6}, {"size_unit", 0}}},
         {3, {{"value_mode", 1}, {"value_lookup", "lookup_status_check"}, {"limits", limits({}, {})}}}}},
    creation_case{"ebs", kind("ebs_sensor"), {0, 1, 2, 3, 4, 8},
        {{0, {{"name", "channel.VolumeState"}, {"value_mode", 1}, {"value_lookup", "lookup_volume_status"}}},
         {1, {{"name", "channel.ReadBandwidth"}, {"unit", 14}, {"size_unit", 7}, {"size_code", 7}}},
         {3, {{"name", "channel.ReadThroughput"}, {"unit", 8}, {"custom_unit", "IOPS"}}},
         {5, {{"name", "channel.AverageQueueLength"}, {"unit", 10}}}}},
    creation_case{"rds", kind("rds_sensor"), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
        {{2, {{"name", "channel.FreeableMemory"}, {"value_mode", 3}, {"unit", 3}, {"size_code", 6}}},
         {4, {{"unit", 8}, {"custom_unit", "#/s"}}}, {6, {{"name", "channel.ReadLatency"}, {"unit", 6}}},
         {13, {{"unit", 14}, {"size_code", 6}}}}},
    creation_case{"application_elb", kind("elb_sensor"), {0, 1, 2, 6},
        {{1, {{"name", "channel.UnHealthyHostCount"}, {"limit_mode", true}, {"limits", limits({}, 0.0)}}},
         {2, {{"name", "channel.TargetResponseTime"}, {"value_mode", 2}, {"unit", 6}}},
         {3, {{"name", "channel.ProcessedBytes"}, {"unit", 1}, {"size_code", 6}}}}},
    creation_case{"network_elb", kind("elb_sensor", "type=network"), {0, 1, 2, 6},
        {{2, {{"name", "channel.ActiveFlowCount"}, {"value_mode", 3}, {"unit", 10}}}}},
    creation_case{"gateway_elb", kind("elb_sensor", "type=gateway"), {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct reading_case {
    const char* name;
    settings_buffer settings;
    const char* cloudwatch_namespace;
    dimension_list dimensions;
    const char* metric;
    Statistic statistic;
    std::int64_t period;
    double reading;
    std::int32_t channel;
    std::optional<double> reported;  // nothing: no value and no channel
    bool integer;
    json announced;  // options of the channel that this value announces, or null
};

class Readings : public MetricSensors, public ::testing::WithParamInterface<reading_case> {};

TEST_P(Readings, RequestConversionAndFirstValueDefinition) {
    const auto& c = GetParam();
    create(c.settings);
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, dimensions_are(c.dimensions), c.cloudwatch_namespace, c.metric,
                                      c.statistic, c.period))
        .Times(2)
        .WillRepeatedly(Return(with_value(c.reading)));
    scan();
    scan();
    EXPECT_EQ(last_result()["response_code"], 0) << last_result().dump();
    ASSERT_EQ(values().contains(c.channel), c.reported.has_value()) << last_result().dump();
    if (c.reported) {
        EXPECT_DOUBLE_EQ(numbers().at(c.channel), *c.reported);
        EXPECT_EQ(values().at(c.channel).contains("integer"), c.integer);
    }
    ASSERT_EQ(announced().size(), c.announced.is_null() ? 0u : 1u);  // once in two scans
    if (!c.announced.is_null()) {
        EXPECT_TRUE(has_members(announced()[0], c.announced));
        EXPECT_EQ(announced()[0]["channel_id"], c.channel);
    }
}

dimension_list instance() {
    return {dimension("InstanceId", "i-1")};
}
dimension_list volume() {
    return {dimension("VolumeId", "vol-1")};
}
dimension_list balancer() {
    return {dimension("LoadBalancer", "app/web/1")};
}
constexpr auto average = Statistic::Average;
constexpr auto sum = Statistic::Sum;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Metrics, Readings, ::testing::Values(
    reading_case{"ec2_credits_900", kind("ec2_sensor", "interval=900"), "AWS/EC2", instance(), "CPUCreditUsage", sum, 900, 7.5, 8, 2.5, false, {{"unit", 10}, {"limit_mode", false}}},
    reading_case{"ec2_balance_601", kind("ec2_sensor", "interval=601"), "AWS/EC2", instance(), "CPUCreditBalance", sum, 900, 9, 9, 3, false, {{"limit_mode", true}, {"limits", limits(1.0, {})}}},
    reading_case{"ec2_cpu_310", kind("ec2_sensor", "interval=310"), "AWS/EC2", instance(), "CPUUtilization", average, 360, 12.5, 1, 12.5, false, nullptr},
    reading_case{"ec2_status_failed", kind("ec2_sensor"), "AWS/EC2", instance(), "StatusCheckFailed_System", average, 300, 0.2, 11, 1, true, nullptr},
    reading_case{"ec2_status_passed", kind("ec2_sensor"), "AWS/EC2", instance(), "StatusCheckFailed_Instance", average, 300, 0, 10, 0, true, nullptr},
    reading_case{"ec2_disk_ops_zero", kind("ec2_sensor"), "AWS/EC2", instance(), "DiskReadOps", average, 300, 0, 4, {}, false, nullptr},
    reading_case{"ec2_disk_negative", kind("ec2_sensor"), "AWS/EC2", instance(), "DiskWriteBytes", average, 300, -1, 7, {}, false, nullptr},
    reading_case{"ec2_disk_bytes_60", kind("ec2_sensor", "interval=60"), "AWS/EC2", instance(), "DiskReadBytes", average, 60, 512, 6, 512, false, {{"unit", 3}, {"size_code", 6}}},
    reading_case{"ebs_read_bytes", kind("ebs_sensor"), "AWS/EBS", volume(), "VolumeReadBytes", sum, 300, 3e6, 1, 10000, false, nullptr},
    reading_case{"ebs_write_bytes_301", kind("ebs_sensor", "interval=301"), "AWS/EBS", volume(), "VolumeWriteBytes", sum, 360, 3600, 2, 10, false, nullptr},
    reading_case{"ebs_write_ops", kind("ebs_sensor"), "AWS/EBS", volume(), "VolumeWriteOps", sum, 300, 600, 4, 2, false, nullptr},
    reading_case{"ebs_read_latency", kind("ebs_sensor"), "AWS/EBS", volume(), "VolumeTotalReadTime", average, 300, 0.004, 5, 4, false, {{"name", "channel.AverageReadLatency"}, {"unit", 6}}},
    reading_case{"ebs_idle_301", kind("ebs_sensor", "interval=301"), "AWS/EBS", volume(), "VolumeIdleTime", sum, 360, 90, 7, 25, false, {{"name", "channel.TimeSpentIdle"}, {"unit", 5}}},
    reading_case{"ebs_burst", kind("ebs_sensor"), "AWS/EBS", volume(), "BurstBalance", average, 300, 99, 9, 99, false, {{"name", "channel.BurstBalance"}, {"unit", 5}}},
    reading_case{"rds_read_latency", kind("rds_sensor"), "AWS/RDS", {}, "ReadLatency", average, 300, 0.0025, 6, 2.5, false, nullptr},
    reading_case{"rds_free_storage", kind("rds_sensor"), "AWS/RDS", {}, "FreeStorageSpace", Statistic::Minimum, 300, 1e9, 3, 1e9, false, nullptr},
    reading_case{"rds_swap", kind("rds_sensor"), "AWS/RDS", {}, "SwapUsage", Statistic::Maximum, 300, 0, 10, 0, false, nullptr},
    reading_case{"rds_credits_900", kind("rds_sensor", "interval=900"), "AWS/RDS", {}, "CPUCreditUsage", sum, 900, 6, 15, 2, false, {{"unit", 10}}},
    reading_case{"rds_replica_lag", kind("rds_sensor"), "AWS/RDS", {}, "ReplicaLag", average, 300, 0.5, 17, 500, false, {{"name", "channel.ReplicaLag"}, {"unit", 6}}},
    reading_case{"alb_response_time", kind("elb_sensor"), "AWS/ApplicationELB", balancer(), "TargetResponseTime", average, 300, 0.0049, 2, 4, true, nullptr},
    reading_case{"alb_unhealthy", kind("elb_sensor"), "AWS/ApplicationELB", balancer(), "UnHealthyHostCount", average, 300, 1, 1, 1, false, nullptr},
    reading_case{"alb_lcus", kind("elb_sensor"), "AWS/ApplicationELB", balancer(), "ConsumedLCUs", sum, 300, 0.5, 7, 0.5, false, {{"name", "channel.ConsumedLCUs"}, {"unit", 10}}},
    reading_case{"nlb_unhealthy", kind("elb_sensor", "type=network"), "AWS/NetworkELB", balancer(), "UnHealthyHostCount", Statistic::Maximum, 300, 2, 1, 2, false, nullptr},
    reading_case{"nlb_peak_bytes", kind("elb_sensor", "type=network"), "AWS/NetworkELB", balancer(), "PeakBytesPerSecond", Statistic::Maximum, 300, 0.25, 5, 0.25, false, {{"unit", 14}, {"size_code", 6}}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct missing_case {
    const char* name;
    settings_buffer settings;
    std::map<std::string, double> data;
    const char* message;
    std::vector<std::int32_t> reported;
    std::size_t no_data_lines;
};

class MissingData : public MetricSensors, public ::testing::WithParamInterface<missing_case> {};

TEST_P(MissingData, OnlyAScanWhereEveryMetricIsMissingFails) {
    const auto& c = GetParam();
    create(c.settings);
    answer_metrics(*host.cloudwatch, c.data);
    scan();
    ASSERT_EQ(results().size(), 1u);
    EXPECT_EQ(last_result()["response_message"]["encoded"], c.message);
    EXPECT_EQ(last_result()["response_code"], std::string(c.message) == "OK" ? 0 : 3);
    std::vector<std::int32_t> ids;
    for (const auto& [id, value] : values()) {
        ids.push_back(id);
    }
    EXPECT_EQ(ids, c.reported);
    EXPECT_EQ(log_count_starting("There is no data for ", " metric."), c.no_data_lines);
}

constexpr const char* no_data = "#:error.no_datapoints_found[]";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, MissingData, ::testing::Values(
    missing_case{"ec2_none", kind("ec2_sensor"), {}, no_data, {}, 11},
    missing_case{"ec2_cpu_only", kind("ec2_sensor"), {{"CPUUtilization", 1}}, "OK", {1}, 10},
    missing_case{"ec2_zero_disk_only", kind("ec2_sensor"), {{"DiskReadOps", 0}}, "OK", {}, 10},
    missing_case{"rds_none", kind("rds_sensor"), {}, no_data, {}, 18},
    missing_case{"ebs_none", kind("ebs_sensor"), {}, "OK", {0}, 0},
    missing_case{"alb_none", kind("elb_sensor"), {}, no_data, {}, 13},
    missing_case{"nlb_none", kind("elb_sensor", "type=network"), {}, no_data, {}, 10},
    missing_case{"nlb_processed_bytes", kind("elb_sensor", "type=network"), {{"ProcessedBytes", 10}}, "OK", {6}, 9}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct target_group_case {
    const char* metric;
    std::int32_t channel;
    std::optional<double> first;
    std::optional<double> second;
    std::optional<double> reported;
    const char* combined;  // the log line of the combination, or empty
};

class TargetGroups : public MetricSensors, public ::testing::WithParamInterface<target_group_case> {};

TEST_P(TargetGroups, AreReadOneByOneAndCombined) {
    const auto& c = GetParam();
    create(kind("elb_sensor"));
    const auto in_group = [](const char* group) {
        return dimension_list{dimension("LoadBalancer", "app/web/1"), dimension("TargetGroup", group)};
    };
    EXPECT_CALL(*host.cloudwatch, list_metrics(_, "AWS/ApplicationELB", "LoadBalancer", "app/web/1"))
        .WillOnce(Return(metric_list{listed_metric(c.metric, in_group("tg/a")),
                                     listed_metric(c.metric, in_group("tg/b")),
                                     listed_metric("ProcessedBytes", balancer())}));
    for (const auto& [group, reading] : {std::pair{"tg/a", c.first}, std::pair{"tg/b", c.second}}) {
        EXPECT_CALL(*host.cloudwatch,
                    get_metric_statistics(_, dimensions_are(in_group(group)), _, c.metric, _, 300))
            .WillOnce(Return(reading ? with_value(*reading) : metric_statistic{}));
    }
    answer_metrics(*host.cloudwatch, {{"ProcessedBytes", 1.0}});
    scan();
    EXPECT_EQ(numbers().contains(c.channel) ? std::optional(numbers().at(c.channel)) : std::nullopt,
              c.reported);
    EXPECT_EQ(log_count_starting("Sum of ") + log_count_starting("Average of "),
              *c.combined == '\0' ? 0u : 1u);
    EXPECT_EQ(log_count(c.combined), *c.combined == '\0' ? 0u : 1u);
    EXPECT_EQ(log_count("Get statistics for ELB Application metric '" + std::string(c.metric) +
                        "' of instance: 'app/web/1', target-group: 'tg/b' in region 'us-east-1' from AWS"),
              1u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Combinations, TargetGroups, ::testing::Values(
    target_group_case{"HealthyHostCount", 0, 2.0, 3.0, 5.0, "Sum of 2 values is 5.000000"},
    target_group_case{"TargetResponseTime", 2, 0.1, 0.3, 200.0, "Average of 2 values is 0.200000"},
    target_group_case{"TargetResponseTime", 2, std::nullopt, 0.0049, 4.0, ""},
    target_group_case{"UnHealthyHostCount", 1, std::nullopt, std::nullopt, std::nullopt, ""}));
// clang-format on

struct volume_case {
    const char* state;
    const char* attachment;
    std::int64_t reported;
    const char* message;
};

class VolumeStates : public MetricSensors, public ::testing::WithParamInterface<volume_case> {};

TEST_P(VolumeStates, StateIsALookupValueAndAnAttachmentBecomesTheMessage) {
    const auto& c = GetParam();
    create(kind("ebs_sensor"));
    aws::ebs_volume_info info;
    info.state = c.state;
    info.attachment_information = c.attachment;
    EXPECT_CALL(*host.ec2, get_volume("vol-1", _)).WillOnce(Return(info));
    scan();
    EXPECT_EQ(last_result()["response_message"]["encoded"], c.message);
    EXPECT_EQ(values().at(0), (json{{"id", 0}, {"integer", c.reported}}));
    EXPECT_EQ(log_count(std::string("Response Message set to: ") + c.message), 1u);
}

INSTANTIATE_TEST_SUITE_P(States, VolumeStates,
                         ::testing::Values(volume_case{"available", "", 2, "OK"},
                                           volume_case{"in-use", "i-1:/dev/sdf (attached)", 3,
                                                       "i-1:/dev/sdf (attached)"},
                                           volume_case{"error", "", 6, "OK"}, volume_case{"", "", 0, "OK"},
                                           volume_case{"In-Use", "", 0, "OK"}));

// Scans that cannot deliver: every scan fails with the error, no channel value, and only the clients
// asked for before the failure.
struct failure_case {
    const char* name;
    settings_buffer settings;
    std::function<void(sensor_harness&)> arrange;
    const char* message;
    std::vector<std::string> obtained;
};

class Failures : public MetricSensors, public ::testing::WithParamInterface<failure_case> {};

TEST_P(Failures, EndTheScanWithoutPartialResult) {
    const auto& c = GetParam();
    create(c.settings);
    answer_metrics(*host.cloudwatch, {{"CPUUtilization", 1.0}});
    c.arrange(*this);
    scan();
    scan();
    ASSERT_EQ(results().size(), 2u);
    EXPECT_TRUE(has_members(last_result(), {{"response_code", 3}, {"channels", json::array()}}));
    EXPECT_EQ(last_result()["response_message"]["encoded"], c.message);
    EXPECT_EQ(host.obtained(), c.obtained);
}

void no_arrangement(sensor_harness&) {}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scans, Failures, ::testing::Values(
    failure_case{"aws_refuses_one_metric", kind("ec2_sensor"), [](sensor_harness& h) {
        EXPECT_CALL(*h.host.cloudwatch, get_metric_statistics(_, _, _, "NetworkOut", _, _))
            .WillRepeatedly(::testing::Throw(aws::exceptions::access_denied("no")));
    }, "#:error.access_denied[no]", {"cloudwatch@us-east-1", "cloudwatch@us-east-1"}},
    failure_case{"unknown_volume_before_cloudwatch", kind("ebs_sensor"), [](sensor_harness& h) {
        EXPECT_CALL(*h.host.ec2, get_volume).WillRepeatedly(::testing::Throw(aws::exceptions::no_volume_found("vol-1")));
        EXPECT_CALL(*h.host.cloudwatch, get_metric_statistics).Times(0);
    }, "#:error.no_volume_found[vol-1]", {"ec2@us-east-1", "ec2@us-east-1"}},
    // Load balancer types without a variant never reach AWS.
    failure_case{"gateway_elb", kind("elb_sensor", "type=gateway"), &no_arrangement, "#:error.unknown_loadbalancer_type[gateway]", {}},
    failure_case{"elb_type_case_matters", kind("elb_sensor", "type=Application"), &no_arrangement, "#:error.unknown_loadbalancer_type[Application]", {}},
    failure_case{"classic_elb", kind("elb_sensor", "type=classic"), &no_arrangement, "#:error.unknown_loadbalancer_type[classic]", {}},
    failure_case{"elb_without_type", kind("elb_sensor", "type="), &no_arrangement, "#:error.unknown_loadbalancer_type[]", {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
