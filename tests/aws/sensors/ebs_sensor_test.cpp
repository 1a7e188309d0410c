#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aws/sensors/ebs_sensor.h"
#include "framework/exceptions.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
using Aws::CloudWatch::Model::Statistic;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Return;

struct EbsSensor : ::testing::Test, sensor_harness {
    EbsSensor() {
        register_kind<aws::ebs_sensor>("ebs_sensor");
        ON_CALL(*host.ec2, get_volume).WillByDefault(Return(volume("available", "")));
    }

    static settings_buffer settings(const std::string& interval = "300") {
        return settings_buffer("ebs_sensor")
            .set("interval", interval)
            .set("ebs_metascan_section.ebs_metascan_group.id", "vol-1")
            .set("ebs_metascan_section.ebs_metascan_group.name", "data")
            .set("ebs_metascan_section.ebs_metascan_group.size", "100")
            .set("ebs_metascan_section.ebs_metascan_group.type", "gp3")
            .set("ebs_metascan_section.ebs_metascan_group.state", "in-use")
            .set("ebs_metascan_section.ebs_metascan_group.attachment_information", "")
            .set("ebs_metascan_section.ebs_metascan_group.region", "us-east-2")
            .set("ebs_metascan_section.ebs_metascan_group.region_display_name", "US East (Ohio)");
    }

    static aws::ebs_volume_info volume(const std::string& state, const std::string& attachment) {
        aws::ebs_volume_info info;
        info.id = "vol-1";
        info.state = state;
        info.attachment_information = attachment;
        return info;
    }
};

TEST_F(EbsSensor, CreationAnnouncesStateBandwidthThroughputAndQueue) {
    create(settings());
    ASSERT_THAT(announced_ids(), ElementsAre(0, 1, 2, 3, 4, 8));
    const auto channels = announced();
    EXPECT_EQ(channels[0]["name"], "channel.VolumeState");
    EXPECT_EQ(channels[0]["value_mode"], 1);
    EXPECT_EQ(channels[0]["value_lookup"], "lookup_volume_status");
    EXPECT_EQ(channels[1]["name"], "channel.ReadBandwidth");
    EXPECT_EQ(channels[1]["unit"], 14);
    EXPECT_EQ(channels[1]["size_unit"], 7);
    EXPECT_EQ(channels[1]["size_code"], 7);
    EXPECT_EQ(channels[3]["name"], "channel.ReadThroughput");
    EXPECT_EQ(channels[3]["unit"], 8);
    EXPECT_EQ(channels[3]["custom_unit"], "IOPS");
    EXPECT_EQ(channels[5]["name"], "channel.AverageQueueLength");
    EXPECT_EQ(channels[5]["unit"], 10);
}

struct ebs_case {
    const char* name;
    const char* interval;
    const char* metric;
    Statistic statistic;
    std::int64_t period;
    double reading;
    std::int32_t channel;
    double reported;
};

void PrintTo(const ebs_case& c, std::ostream* os) {
    *os << c.name;
}

class EbsConversions : public EbsSensor, public ::testing::WithParamInterface<ebs_case> {};

TEST_P(EbsConversions, SumsBecomeRatesOverThePeriodAndSecondsMilliseconds) {
    const auto& c = GetParam();
    create(settings(c.interval));
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, dimensions_are(dimension_list{dimension("VolumeId", "vol-1")}),
                                      "AWS/EBS", c.metric, c.statistic, c.period))
        .WillOnce(Return(with_value(c.reading)));
    scan();
    const auto sent = values();
    ASSERT_TRUE(sent.contains(c.channel));
    EXPECT_DOUBLE_EQ(sent.at(c.channel), c.reported);
    EXPECT_FALSE(is_integer(c.channel));
}

INSTANTIATE_TEST_SUITE_P(
    Readings, EbsConversions,
    ::testing::Values(
        ebs_case{"read_bytes", "300", "VolumeReadBytes", Statistic::Sum, 300, 3e6, 1, 10000.0},
        ebs_case{"write_bytes_at_301", "301", "VolumeWriteBytes", Statistic::Sum, 360, 3600.0, 2, 10.0},
        ebs_case{"read_ops", "300", "VolumeReadOps", Statistic::Sum, 300, 600.0, 3, 2.0},
        ebs_case{"read_latency", "300", "VolumeTotalReadTime", Statistic::Average, 300, 0.004, 5, 4.0},
        ebs_case{"write_latency", "60", "VolumeTotalWriteTime", Statistic::Average, 60, 0.25, 6, 250.0},
        ebs_case{"idle", "300", "VolumeIdleTime", Statistic::Sum, 300, 150.0, 7, 50.0},
        ebs_case{"idle_at_301", "301", "VolumeIdleTime", Statistic::Sum, 360, 90.0, 7, 25.0},
        ebs_case{"queue", "300", "VolumeQueueLength", Statistic::Average, 300, 1.5, 8, 1.5},
        ebs_case{"burst", "300", "BurstBalance", Statistic::Average, 300, 99.0, 9, 99.0}),
    [](const auto& info) { return std::string(info.param.name); });

struct state_case {
    const char* state;
    const char* attachment;
    std::int64_t value;
    const char* message;
};

class EbsStates : public EbsSensor, public ::testing::WithParamInterface<state_case> {};

TEST_P(EbsStates, VolumeStateIsALookupAndAnAttachmentBecomesTheMessage) {
    const auto& c = GetParam();
    create(settings());
    EXPECT_CALL(*host.ec2, get_volume("vol-1", _)).WillOnce(Return(volume(c.state, c.attachment)));
    scan();
    EXPECT_EQ(last_result()["response_code"], 0);
    EXPECT_EQ(last_result()["message"]["encoded"], c.message);
    EXPECT_TRUE(is_integer(0));
    EXPECT_EQ(values().at(0), static_cast<double>(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    States, EbsStates,
    ::testing::Values(state_case{"available", "", 2, "OK"},
                      state_case{"in-use", "i-1:/dev/sdf (attached)", 3, "i-1:/dev/sdf (attached)"},
                      state_case{"error", "", 6, "OK"}, state_case{"deleted", "", 5, "OK"},
                      state_case{"", "", 0, "OK"}, state_case{"In-Use", "", 0, "OK"}));

TEST_F(EbsSensor, MetricsWithoutDataNeverFailTheScanAndLeaveTheirChannelsUndefined) {
    create(settings());
    host.messages->clear();
    scan();
    answer_metrics(*host.cloudwatch, {{"VolumeTotalReadTime", 0.001}, {"VolumeQueueLength", 0.0}});
    scan();
    scan();
    ASSERT_EQ(results().size(), 3u);
    EXPECT_EQ(results()[0]["response_code"], 0);
    EXPECT_EQ(results()[0]["channels"].size(), 1u);  // the state only
    EXPECT_THAT(announced_ids(), ElementsAre(5));
    EXPECT_EQ(announced()[0]["name"], "channel.AverageReadLatency");
    EXPECT_EQ(announced()[0]["unit"], 6);
    EXPECT_EQ((std::map<std::int32_t, double>{{0, 2.0}, {5, 1.0}, {8, 0.0}}), values());
    EXPECT_EQ(log_count("There is no data for BurstBalance metric."), 0u);
}

TEST_F(EbsSensor, UnknownVolumeEndsTheScanBeforeCloudWatchIsAsked) {
    create(settings());
    EXPECT_CALL(*host.ec2, get_volume).WillOnce(::testing::Throw(aws::exceptions::no_volume_found("vol-1")));
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics).Times(0);
    scan();
    ASSERT_EQ(results().size(), 1u);
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["message"]["encoded"], "#:error.no_volume_found[vol-1]");
    EXPECT_EQ(host.obtained(), std::vector<std::string>{"ec2@us-east-2"});
}

}  // namespace
