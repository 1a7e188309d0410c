#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aws/sensors/elb_sensor.h"
#include "tests/aws/sensors/sensor_harness.h"

namespace {

using namespace orvane::tessel;
using namespace test_support;
using Aws::CloudWatch::Model::Statistic;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Return;

constexpr const char* alb = "app/web/50dc6c495c0c9188";
constexpr const char* group_a = "targetgroup/a/1";
constexpr const char* group_b = "targetgroup/b/2";

struct ElbSensor : ::testing::Test, sensor_harness {
    ElbSensor() { register_kind<aws::elb_sensor>("elb_sensor"); }

    static settings_buffer settings(const std::string& type = "application") {
        return settings_buffer("elb_sensor")
            .set("elb_metascan_section.elb_metascan_group.id", alb)
            .set("elb_metascan_section.elb_metascan_group.type", type)
            .set("elb_metascan_section.elb_metascan_group.name", "web")
            .set("elb_metascan_section.elb_metascan_group.region", "eu-central-1")
            .set("elb_metascan_section.elb_metascan_group.region_display_name", "Europe (Frankfurt)");
    }

    static dimension_list in_group(const char* group) {
        return {dimension("LoadBalancer", alb), dimension("TargetGroup", group)};
    }

    // The metric is kept per target group for both groups.
    void split(const std::string& metric, std::optional<double> a, std::optional<double> b) {
        listed.push_back(listed_metric(metric, in_group(group_a)));
        listed.push_back(listed_metric(metric, in_group(group_b)));
        ON_CALL(*host.cloudwatch, list_metrics).WillByDefault(Return(listed));
        for (const auto& [group, value] : {std::pair{group_a, a}, std::pair{group_b, b}}) {
            EXPECT_CALL(*host.cloudwatch,
                        get_metric_statistics(_, dimensions_are(in_group(group)), _, metric, _, _))
                .WillOnce(Return(value ? with_value(*value) : metric_statistic{}));
        }
    }

    metric_list listed;
};

TEST_F(ElbSensor, ApplicationSumsTargetGroupsAndLogsTheSum) {
    create(settings());
    split("HealthyHostCount", 2.0, 3.0);
    scan();
    EXPECT_EQ(values().at(0), 5.0);
    EXPECT_EQ(log_count("Sum of 2 values is 5.000000"), 1u);
    EXPECT_EQ(
        log_count("Get statistics for ELB Application metric 'HealthyHostCount' of instance: '" +
                  std::string(alb) + "', target-group: '" + group_b + "' in region 'eu-central-1' from AWS"),
        1u);
    EXPECT_EQ(log_count("Dimension(s): LoadBalancer(" + std::string(alb) + ") TargetGroup(" + group_a + ") "),
              1u);
}

TEST_F(ElbSensor, ResponseTimeIsAveragedAndSentAsWholeMilliseconds) {
    create(settings());
    split("TargetResponseTime", 0.1, 0.3);
    scan();
    EXPECT_EQ(values().at(2), 200.0);
    EXPECT_TRUE(is_integer(2));
    EXPECT_EQ(log_count("Average of 2 values is 0.200000"), 1u);
}

TEST_F(ElbSensor, OneGroupWithDataIsTakenAsItIs) {
    create(settings());
    split("TargetResponseTime", std::nullopt, 0.0049);
    scan();
    EXPECT_EQ(values().at(2), 4.0);  // 4.9 ms truncated
    const auto lines = host.sensor_log->texts();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.starts_with("Sum of ") || line.starts_with("Average of ");
                            }),
              0);
}

TEST_F(ElbSensor, WholeBalancerMetricFallsBackToItsOwnDimension) {
    create(settings());
    host.messages->clear();
    EXPECT_CALL(*host.cloudwatch, list_metrics(_, "AWS/ApplicationELB", "LoadBalancer", alb))
        .WillOnce(Return(metric_list{listed_metric("ProcessedBytes", {dimension("LoadBalancer", alb)}),
                                     listed_metric("RuleEvaluations", in_group(group_a))}));
    // Listed without a target group, and not listed at all: both asked for the load balancer alone.
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, dimensions_are(dimension_list{dimension("LoadBalancer", alb)}),
                                      "AWS/ApplicationELB", "ProcessedBytes", Statistic::Sum, 300))
        .WillOnce(Return(with_value(1024.0)));
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, dimensions_are(dimension_list{dimension("LoadBalancer", alb)}),
                                      "AWS/ApplicationELB", "NewConnectionCount", Statistic::Sum, 300))
        .WillOnce(Return(with_value(7.0)));
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, dimensions_are(in_group(group_a)), "AWS/ApplicationELB",
                                      "RuleEvaluations", Statistic::Sum, 300))
        .WillOnce(Return(with_value(3.0)));
    scan();
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{3, 7.0}, {6, 1024.0}, {8, 3.0}}));
    EXPECT_THAT(announced_ids(), ElementsAre(3, 8));
    EXPECT_EQ(log_count("There is no data for HealthyHostCount metric."), 1u);
}

TEST_F(ElbSensor, ApplicationChannelsAtCreation) {
    create(settings());
    ASSERT_THAT(announced_ids(), ElementsAre(0, 1, 2, 6));
    const auto channels = announced();
    EXPECT_EQ(channels[1]["name"], "channel.UnHealthyHostCount");
    EXPECT_EQ(channels[1]["limit_mode"], true);
    EXPECT_EQ(channels[1]["limits"][0]["enabled"], false);
    EXPECT_EQ(channels[1]["limits"][1]["enabled"], true);
    EXPECT_EQ(channels[1]["limits"][1]["value"], 0.0);
    EXPECT_EQ(channels[2]["value_mode"], 2);
    EXPECT_EQ(channels[2]["unit"], 6);
    EXPECT_EQ(channels[3]["unit"], 1);
    EXPECT_EQ(channels[3]["size_code"], 6);
}

TEST_F(ElbSensor, NetworkVariantReadsItsOwnNamespaceAndStatistics) {
    create(settings("network"));
    ASSERT_THAT(announced_ids(), ElementsAre(0, 1, 2, 6));
    EXPECT_EQ(announced()[2]["name"], "channel.ActiveFlowCount");
    host.messages->clear();
    EXPECT_CALL(*host.cloudwatch, list_metrics(_, "AWS/NetworkELB", "LoadBalancer", alb))
        .WillOnce(Return(metric_list{}));
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, _, "AWS/NetworkELB", "UnHealthyHostCount", Statistic::Maximum, _))
        .WillOnce(Return(with_value(1.0)));
    EXPECT_CALL(*host.cloudwatch,
                get_metric_statistics(_, _, "AWS/NetworkELB", "PeakBytesPerSecond", Statistic::Maximum, _))
        .WillOnce(Return(with_value(0.25)));
    scan();
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{1, 1.0}, {5, 0.25}}));
    ASSERT_THAT(announced_ids(), ElementsAre(5));
    EXPECT_EQ(announced()[0]["unit"], 14);
    EXPECT_EQ(announced()[0]["size_code"], 6);
    EXPECT_EQ(log_count("Get statistics for ELB Network metric 'TCP_ELB_Reset_Count' of instance: '" +
                        std::string(alb) + "' in region 'eu-central-1' from AWS"),
              1u);
}

TEST_F(ElbSensor, AllMetricsMissingFailsButProcessedBytesAloneSucceeds) {
    create(settings("network"));
    scan();
    EXPECT_EQ(last_result()["message"]["encoded"], "#:error.no_datapoints_found[]");
    answer_metrics(*host.cloudwatch, {{"ProcessedBytes", 10.0}});
    scan();
    EXPECT_EQ(last_result()["response_code"], 0);
    EXPECT_EQ(values(), (std::map<std::int32_t, double>{{6, 10.0}}));
}

class ElbTypes : public ElbSensor, public ::testing::WithParamInterface<const char*> {};

TEST_P(ElbTypes, TypeWithoutVariantFailsEveryScan) {
    create(settings(GetParam()));
    EXPECT_TRUE(announced().empty());
    scan();
    scan();
    ASSERT_EQ(results().size(), 2u);
    EXPECT_EQ(last_result()["response_code"], 3);
    EXPECT_EQ(last_result()["message"]["encoded"],
              "#:error.unknown_loadbalancer_type[" + std::string(GetParam()) + "]");
    EXPECT_TRUE(host.obtained().empty());
}

INSTANTIATE_TEST_SUITE_P(Types, ElbTypes, ::testing::Values("gateway", "Application", "classic", ""));

}  // namespace
