#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aws/sensors/rds_sensor.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
using Aws::CloudWatch::Model::Statistic;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Return;

struct RdsSensor : ::testing::Test, sensor_harness {
    RdsSensor() { register_kind<aws::rds_sensor>("rds_sensor"); }

    static settings_buffer settings(const std::string& interval = "300") {
        return settings_buffer("rds_sensor")
            .set("interval", interval)
            .set("rds_metascan_section.rds_metascan_group.identifier", "orders-db")
            .set("rds_metascan_section.rds_metascan_group.engine", "mysql")
            .set("rds_metascan_section.rds_metascan_group.region", "us-east-1")
            .set("rds_metascan_section.rds_metascan_group.region_display_name", "US East (N. Virginia)");
    }

    const dimension_list instance{dimension("DBInstanceIdentifier", "orders-db")};
};

TEST_F(RdsSensor, CreationAnnouncesFifteenChannelsWithTheirUnits) {
    create(settings());
    ASSERT_THAT(announced_ids(), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14));
    const auto channels = announced();
    EXPECT_EQ(channels[0]["unit"], 11);
    EXPECT_EQ(channels[2]["name"], "channel.FreeableMemory");
    EXPECT_EQ(channels[2]["unit"], 3);
    EXPECT_EQ(channels[2]["size_code"], 6);
    EXPECT_EQ(channels[4]["unit"], 8);
    EXPECT_EQ(channels[4]["custom_unit"], "#/s");
    EXPECT_EQ(channels[6]["name"], "channel.ReadLatency");
    EXPECT_EQ(channels[6]["unit"], 6);
    EXPECT_EQ(channels[13]["unit"], 14);
    EXPECT_EQ(channels[13]["size_code"], 6);
    for (const auto& channel : channels) {
        EXPECT_EQ(channel["value_mode"], 3);
    }
}

TEST_F(RdsSensor, DimensionsComeFromTheListedMetricsAndAnUnlistedMetricIsAskedWithout) {
    create(settings("900"));
    host.messages->clear();
    EXPECT_CALL(*host.cloudwatch, list_metrics(_, "AWS/RDS", "DBInstanceIdentifier", "orders-db"))
        .WillOnce(Return(metric_list{listed_metric("ReadLatency", instance),
                                     listed_metric("CPUCreditUsage", instance),
                                     listed_metric("FreeStorageSpace", instance)}));
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics(_, dimensions_are(instance), "AWS/RDS", "ReadLatency",
                                                        Statistic::Average, 900))
        .WillOnce(Return(with_value(0.0025)));
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics(_, dimensions_are(instance), "AWS/RDS",
                                                        "CPUCreditUsage", Statistic::Sum, 900))
        .WillOnce(Return(with_value(6.0)));
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics(_, dimensions_are(instance), "AWS/RDS",
                                                        "FreeStorageSpace", Statistic::Minimum, 900))
        .WillOnce(Return(with_value(1e9)));
    EXPECT_CALL(*host.cloudwatch, get_metric_statistics(_, dimensions_are(dimension_list{}), "AWS/RDS",
                                                        "ReplicaLag", Statistic::Average, 900))
        .WillOnce(Return(with_value(0.5)));
    scan();

    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{3, 1e9}, {6, 2.5}, {15, 2.0}, {17, 500.0}}));
    EXPECT_THAT(announced_ids(), ElementsAre(15, 17));
    EXPECT_EQ(announced()[1]["name"], "channel.ReplicaLag");
    EXPECT_EQ(announced()[1]["unit"], 6);
    EXPECT_EQ(log_count("Dimension(s): DBInstanceIdentifier(orders-db) "), 3u);
    EXPECT_EQ(log_count("Dimension(s): "), 15u);
    EXPECT_EQ(log_count("Get statistics for RDS metric 'ReplicaLag' of instance: 'orders-db' in region "
                        "'us-east-1' from AWS"),
              1u);
}

TEST_F(RdsSensor, CreditBalanceIsScaledAndGetsItsLowerLimit) {
    create(settings("300"));
    host.messages->clear();
    answer_metrics(*host.cloudwatch, {{"CPUCreditBalance", 144.0}, {"SwapUsage", 0.0}});
    scan();
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{10, 0.0}, {16, 144.0}}));
    ASSERT_THAT(announced_ids(), ElementsAre(16));
    EXPECT_EQ(announced()[0]["limit_mode"], true);
    EXPECT_EQ(announced()[0]["limits"][0]["value"], 1.0);
    EXPECT_EQ(announced()[0]["limits"][0]["enabled"], true);
}

TEST_F(RdsSensor, NoDataForAnyOfTheEighteenMetricsFailsTheScan) {
    create(settings());
    scan();
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["message"]["encoded"], "#:error.no_datapoints_found[]");
    const auto lines = host.sensor_log->texts();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.starts_with("There is no data for ") &&
                                       line.ends_with(" metric.");
                            }),
              18);
}

}  // namespace
