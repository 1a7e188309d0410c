#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aws/sensors/ec2_sensor.h"
#include "framework/exceptions.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
using Aws::CloudWatch::Model::Statistic;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Return;

struct Ec2Sensor : ::testing::Test, sensor_harness {
    Ec2Sensor() { register_kind<aws::ec2_sensor>("ec2_sensor"); }

    static settings_buffer settings(const std::string& interval = "300") {
        return settings_buffer("ec2_sensor")
            .set("interval", interval)
            .set("ec2_metascan_section.ec2_metascan_group.id", "i-0abc")
            .set("ec2_metascan_section.ec2_metascan_group.name", "web")
            .set("ec2_metascan_section.ec2_metascan_group.region", "eu-west-1")
            .set("ec2_metascan_section.ec2_metascan_group.region_display_name", "Europe (Ireland)");
    }
};

TEST_F(Ec2Sensor, CreationAnnouncesTheFixedChannelsWithTheirUnits) {
    create(settings());
    ASSERT_THAT(announced_ids(), ElementsAre(1, 2, 3, 10, 11));
    const auto channels = announced();
    EXPECT_EQ(channels[0]["name"], "channel.CPUUtilization");
    EXPECT_EQ(channels[0]["value_mode"], 3);
    EXPECT_EQ(channels[0]["unit"], 11);
    EXPECT_EQ(channels[1]["name"], "channel.NetworkIn");
    EXPECT_EQ(channels[1]["unit"], 1);
    EXPECT_EQ(channels[1]["size_code"], 6);
    EXPECT_EQ(channels[1]["size_unit"], 0);
    EXPECT_EQ(channels[3]["name"], "channel.StatusCheckFailed_Instance");
    EXPECT_EQ(channels[3]["value_mode"], 1);
    EXPECT_EQ(channels[3]["value_lookup"], "lookup_status_check");
    EXPECT_EQ(channels[3]["limit_mode"], false);
}

// The period of each request follows the interval: P60 for most metrics, P300 for the credits.
struct period_case {
    const char* interval;
    std::int64_t p60;
    std::int64_t p300;
};

class Ec2Periods : public Ec2Sensor, public ::testing::WithParamInterface<period_case> {};

TEST_P(Ec2Periods, EveryMetricIsRequestedOnceWithItsStatisticAndPeriod) {
    const auto& c = GetParam();
    create(settings(c.interval));
    const dimension_list instance{dimension("InstanceId", "i-0abc")};
    auto& cloudwatch = *host.cloudwatch;
    for (const char* metric :
         {"CPUUtilization", "NetworkIn", "NetworkOut", "DiskReadOps", "DiskWriteOps", "DiskReadBytes",
          "DiskWriteBytes", "StatusCheckFailed_Instance", "StatusCheckFailed_System"}) {
        EXPECT_CALL(cloudwatch, get_metric_statistics(_, dimensions_are(instance), "AWS/EC2", metric,
                                                      Statistic::Average, c.p60))
            .WillOnce(Return(with_value(1.0)));
    }
    for (const char* metric : {"CPUCreditUsage", "CPUCreditBalance"}) {
        EXPECT_CALL(cloudwatch, get_metric_statistics(_, dimensions_are(instance), "AWS/EC2", metric,
                                                      Statistic::Sum, c.p300))
            .WillOnce(Return(with_value(1.0)));
    }
    scan();
    EXPECT_EQ(host.obtained(), std::vector<std::string>{"cloudwatch@eu-west-1"});
    EXPECT_EQ(last_result()["response_code"], 0);
    EXPECT_EQ(last_result()["message"]["text"], "OK");
}

INSTANTIATE_TEST_SUITE_P(Intervals, Ec2Periods,
                         ::testing::Values(period_case{"60", 60, 300}, period_case{"300", 300, 300},
                                           period_case{"310", 360, 600}, period_case{"900", 900, 900}));

// What a reading becomes on its channel.
struct conversion_case {
    const char* name;
    const char* interval;
    const char* metric;
    double reading;
    std::int32_t channel;
    std::optional<double> reported;  // nothing: no value and no channel
    bool integer;
};

void PrintTo(const conversion_case& c, std::ostream* os) {
    *os << c.name;
}

class Ec2Conversions : public Ec2Sensor, public ::testing::WithParamInterface<conversion_case> {};

TEST_P(Ec2Conversions, ReadingIsConvertedAndItsChannelDefinedOnlyWhenItQualifies) {
    const auto& c = GetParam();
    create(settings(c.interval));
    host.messages->clear();
    answer_metrics(*host.cloudwatch, {{"CPUUtilization", 5.0}, {c.metric, c.reading}});
    scan();

    const auto sent = values();
    if (!c.reported) {
        EXPECT_FALSE(sent.contains(c.channel));
        EXPECT_THAT(announced_ids(), ::testing::IsEmpty());
        return;
    }
    ASSERT_TRUE(sent.contains(c.channel));
    EXPECT_DOUBLE_EQ(sent.at(c.channel), *c.reported);
    EXPECT_EQ(is_integer(c.channel), c.integer);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, Ec2Conversions,
    ::testing::Values(
        conversion_case{"credit_usage_at_300", "300", "CPUCreditUsage", 2.5, 8, 2.5, false},
        conversion_case{"credit_usage_at_900", "900", "CPUCreditUsage", 7.5, 8, 2.5, false},
        conversion_case{"credit_balance_at_601", "601", "CPUCreditBalance", 9.0, 9, 3.0, false},
        conversion_case{"status_failed", "300", "StatusCheckFailed_System", 0.2, 11, 1.0, true},
        conversion_case{"status_passed", "300", "StatusCheckFailed_Instance", 0.0, 10, 0.0, true},
        conversion_case{"disk_ops_zero", "300", "DiskReadOps", 0.0, 4, std::nullopt, false},
        conversion_case{"disk_bytes_negative", "300", "DiskWriteBytes", -1.0, 7, std::nullopt, false},
        conversion_case{"disk_bytes_positive", "300", "DiskReadBytes", 512.0, 6, 512.0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Ec2Sensor, DynamicChannelsAreAnnouncedAtTheirFirstValueOnly) {
    create(settings());
    host.messages->clear();
    answer_metrics(*host.cloudwatch, {{"DiskReadOps", 3.0}, {"CPUCreditBalance", 0.5}});
    scan();
    scan();
    ASSERT_THAT(announced_ids(), ElementsAre(4, 9));
    const auto balance = announced()[1];
    EXPECT_EQ(balance["name"], "channel.CPUCreditBalance");
    EXPECT_EQ(balance["unit"], 10);
    EXPECT_EQ(balance["limit_mode"], true);
    EXPECT_EQ(balance["limits"][0]["enabled"], true);
    EXPECT_EQ(balance["limits"][0]["value"], 1.0);
    EXPECT_EQ(balance["limits"][1]["enabled"], false);
    EXPECT_EQ(results().size(), 2u);
}

TEST_F(Ec2Sensor, OneMetricWithDataIsEnoughAndTheOthersAreLogged) {
    create(settings());
    answer_metrics(*host.cloudwatch, {{"CPUUtilization", 12.5}});
    scan();
    EXPECT_EQ(last_result()["response_code"], 0);
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{1, 12.5}}));
    EXPECT_EQ(log_count("There is no data for NetworkIn metric."), 1u);
    const auto lines = host.sensor_log->texts();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.starts_with("There is no data for ") &&
                                       line.ends_with(" metric.");
                            }),
              10);
    EXPECT_EQ(log_count("Get statistics for EC2 metric 'CPUUtilization' of instance: 'i-0abc' in region "
                        "'eu-west-1' from AWS"),
              1u);
    EXPECT_EQ(log_count("Response Message set to: OK"), 1u);
}

TEST_F(Ec2Sensor, NoDataForAnyMetricFailsTheScan) {
    create(settings());
    scan();
    ASSERT_EQ(results().size(), 1u);
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["message"]["encoded"], "#:error.no_datapoints_found[]");
    EXPECT_TRUE(last_result()["channels"].empty());
}

TEST_F(Ec2Sensor, AwsFailureEndsTheScanWithoutPartialResult) {
    create(settings());
    answer_metrics(*host.cloudwatch, {{"CPUUtilization", 1.0}});
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics(_, _, _, "NetworkOut", _, _))
        .WillOnce(::testing::Throw(aws::exceptions::access_denied("no")));
    scan();
    ASSERT_EQ(results().size(), 1u);
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["message"]["encoded"], "#:error.access_denied[no]");
}

}  // namespace
