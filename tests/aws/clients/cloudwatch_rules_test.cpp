#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "aws/clients/alarm.h"
#include "aws/clients/cloudwatch_client.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/elb_client.h"

namespace {

using namespace orvane::tessel::aws;
namespace model = Aws::CloudWatch::Model;

model::Metric metric(const std::string& name, std::vector<std::pair<std::string, std::string>> dimensions) {
    model::Metric m;
    m.SetMetricName(name);
    m.SetNamespace("AWS/ApplicationELB");
    for (auto& [key, value] : dimensions) {
        model::Dimension d;
        d.SetName(key);
        d.SetValue(value);
        m.AddDimensions(d);
    }
    return m;
}

std::vector<std::string> texts(const dimension_list& dimensions) {
    std::vector<std::string> result;
    for (const auto& d : dimensions) {
        result.push_back(d.GetName() + "=" + d.GetValue());
    }
    return result;
}

const metric_list listed{
    metric("HealthyHostCount", {{"TargetGroup", "tg/a"}, {"LoadBalancer", "app/lb/1"}}),
    metric("HealthyHostCount", {{"TargetGroup", "tg/b"}, {"LoadBalancer", "app/lb/1"}}),
    metric("HealthyHostCount",
           {{"TargetGroup", "tg/a"}, {"LoadBalancer", "app/lb/1"}, {"AvailabilityZone", "a"}}),
    metric("RequestCount", {{"LoadBalancer", "app/lb/1"}}),
    metric("RequestCount", {{"LoadBalancer", "app/lb/1"}, {"AvailabilityZone", "a"}}),
    metric("RequestCount", {{"TargetGroup", "tg/c"}, {"LoadBalancer", "app/lb/1"}}),
};

TEST(TargetGroups, AreCollectedOncePerMetricInFirstSeenOrder) {
    EXPECT_EQ(find_target_groups(listed, "HealthyHostCount"), (std::vector<std::string>{"tg/a", "tg/b"}));
    EXPECT_EQ(find_target_groups(listed, "RequestCount"), (std::vector<std::string>{"tg/c"}));
    EXPECT_TRUE(find_target_groups(listed, "Latency").empty());
}

TEST(Dimensions, OnlyMetricsWithExactlyTheWantedDimensionsQualify) {
    EXPECT_EQ(texts(find_dimensions(listed, "RequestCount", {"LoadBalancer"}, "")),
              (std::vector<std::string>{"LoadBalancer=app/lb/1"}));
    EXPECT_EQ(texts(find_dimensions(listed, "HealthyHostCount", {"LoadBalancer", "TargetGroup"}, "tg/b")),
              (std::vector<std::string>{"TargetGroup=tg/b", "LoadBalancer=app/lb/1"}));
    // Without a target group every group's metric qualifies and their dimensions are concatenated.
    EXPECT_EQ(find_dimensions(listed, "HealthyHostCount", {"LoadBalancer", "TargetGroup"}, "").size(), 4u);
    EXPECT_TRUE(find_dimensions(listed, "HealthyHostCount", {"LoadBalancer"}, "").empty());
    // A metric lacking one of the wanted names does not qualify either.
    EXPECT_TRUE(
        find_dimensions(listed, "RequestCount", {"LoadBalancer", "TargetGroup", "Extra"}, "tg/c").empty());
}

TEST(LookBack, IsTwiceThePeriodButAtLeastTenMinutes) {
    EXPECT_EQ(cloudwatch_client::look_back_seconds(60), 600);
    EXPECT_EQ(cloudwatch_client::look_back_seconds(300), 600);
    EXPECT_EQ(cloudwatch_client::look_back_seconds(301), 602);
    EXPECT_EQ(cloudwatch_client::look_back_seconds(900), 1800);
}

model::MetricDataQuery query(const std::string& id, const std::string& metric_name, const std::string& stat) {
    model::MetricStat metric_stat;
    metric_stat.SetMetric(metric(metric_name, {{"InstanceId", "i-1"}}));
    metric_stat.SetPeriod(60);
    metric_stat.SetStat(stat);
    model::MetricDataQuery q;
    q.SetId(id);
    q.SetMetricStat(metric_stat);
    return q;
}

TEST(MetricAlarm, WatchesItsOwnMetricWhenItHasNoQueries) {
    model::MetricAlarm alarm;
    alarm.SetAlarmName("cpu");
    alarm.SetMetricName("CPUUtilization");
    alarm.SetNamespace("AWS/EC2");
    alarm.SetPeriod(300);
    alarm.SetStatistic(model::Statistic::Maximum);
    const MetricAlarm wrapped(alarm);
    ASSERT_EQ(wrapped.underlying_metrics().size(), 1u);
    const auto& watched = wrapped.underlying_metrics()[0];
    EXPECT_EQ(watched.metric_name, "CPUUtilization");
    EXPECT_EQ(watched.namespace_name, "AWS/EC2");
    EXPECT_EQ(watched.period, 300);
    EXPECT_EQ(watched.statistic, model::Statistic::Maximum);
    EXPECT_EQ(wrapped.get_type(), "Metric");

    EXPECT_TRUE(MetricAlarm(model::MetricAlarm()).underlying_metrics().empty());
}

TEST(MetricAlarm, WithQueriesWatchesTheirMetricsAndSkipsExpressions) {
    model::MetricAlarm alarm;
    alarm.SetMetricName("Ignored");  // the alarm's own fields do not count once it has queries
    model::MetricDataQuery expression;
    expression.SetId("e1");
    expression.SetExpression("m1 + m2");
    alarm.SetMetrics({query("m1", "NetworkIn", "Sum"), expression, query("m2", "NetworkOut", "p99"),
                      query("m3", "", "Average")});
    const MetricAlarm wrapped(alarm);
    ASSERT_EQ(wrapped.underlying_metrics().size(), 2u);
    EXPECT_EQ(wrapped.underlying_metrics()[0].metric_name, "NetworkIn");
    EXPECT_EQ(wrapped.underlying_metrics()[0].statistic, model::Statistic::Sum);
    EXPECT_EQ(wrapped.underlying_metrics()[1].metric_name, "NetworkOut");
    EXPECT_NE(wrapped.underlying_metrics()[1].statistic, model::Statistic::Average);

    model::MetricAlarm only_expressions;
    only_expressions.SetMetrics({expression});
    EXPECT_TRUE(MetricAlarm(only_expressions).underlying_metrics().empty());
}

TEST(AlarmState, MapsTheThreeStatesAndEverythingElseToInsufficientData) {
    EXPECT_EQ(to_alarm_state(model::StateValue::OK), ok);
    EXPECT_EQ(to_alarm_state(model::StateValue::ALARM), in_alarm);
    EXPECT_EQ(to_alarm_state(model::StateValue::INSUFFICIENT_DATA), insufficient_data);
    EXPECT_EQ(to_alarm_state(model::StateValue::NOT_SET), insufficient_data);
}

TEST(LoadBalancerId, IsWhatFollowsTheFirstLoadBalancerMarker) {
    EXPECT_EQ(
        load_balancer_id("arn:aws:elasticloadbalancing:us-east-1:1:loadbalancer/app/my-lb/50dc6c495c0c9188"),
        "app/my-lb/50dc6c495c0c9188");
    EXPECT_EQ(load_balancer_id("arn:aws:elasticloadbalancing:eu-west-1:1:loadbalancer/net/my-nlb/a1b2c3"),
              "net/my-nlb/a1b2c3");
    EXPECT_EQ(load_balancer_id("x:loadbalancer/app/a:loadbalancer/b"), "app/a:loadbalancer/b");
    EXPECT_EQ(load_balancer_id("not-an-arn"), "not-an-arn");
}

}  // namespace
