#include <aws/ce/model/GetCostAndUsageRequest.h>
#include <aws/ce/model/GetCostForecastRequest.h>
#include <aws/ce/model/MetricValue.h>
#include <aws/core/utils/json/JsonSerializer.h>
#include <aws/ec2/model/DescribeInstancesRequest.h>
#include <aws/ec2/model/DescribeRegionsRequest.h>
#include <aws/ec2/model/DescribeVolumesRequest.h>
#include <aws/elasticloadbalancingv2/model/DescribeLoadBalancersRequest.h>
#include <aws/monitoring/model/DescribeAlarmsRequest.h>
#include <aws/monitoring/model/GetMetricStatisticsRequest.h>
#include <aws/monitoring/model/ListMetricsRequest.h>
#include <aws/rds/model/DescribeDBInstancesRequest.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

namespace EC2 = Aws::EC2::Model;
namespace CW = Aws::CloudWatch::Model;
namespace CE = Aws::CostExplorer::Model;

struct BodyCase {
    const char* name;
    std::function<std::string()> serialize;
    std::string expected;
};

class QueryBody : public ::testing::TestWithParam<BodyCase> {};

TEST_P(QueryBody, IsByteExact) {
    EXPECT_EQ(GetParam().serialize(), GetParam().expected);
}

CW::Dimension Dim(const char* name, const char* value) {
    return CW::Dimension().WithName(name).WithValue(value);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, QueryBody,
    ::testing::Values(
        BodyCase{"ec2_describe_regions_default",
                 [] { return EC2::DescribeRegionsRequest().SerializePayload(); },
                 "Action=DescribeRegions&Version=2016-11-15"},
        BodyCase{"ec2_describe_regions_all",
                 [] {
                     return EC2::DescribeRegionsRequest()
                         .WithAllRegions(false)
                         .AddRegionNames("eu-west-1")
                         .SerializePayload();
                 },
                 "Action=DescribeRegions&RegionName.1=eu-west-1&AllRegions=false&Version=2016-11-15"},
        BodyCase{"ec2_describe_instances_page",
                 [] {
                     EC2::DescribeInstancesRequest r;
                     r.SetMaxResults(1000);
                     r.SetNextToken("a+b/c=");
                     return r.SerializePayload();
                 },
                 "Action=DescribeInstances&MaxResults=1000&NextToken=a%2Bb%2Fc%3D&Version=2016-11-15"},
        BodyCase{"ec2_describe_volumes_by_id",
                 [] {
                     EC2::DescribeVolumesRequest r;
                     r.SetVolumeIds({"vol-1", "vol-2"});
                     return r.SerializePayload();
                 },
                 "Action=DescribeVolumes&VolumeId.1=vol-1&VolumeId.2=vol-2&Version=2016-11-15"},
        BodyCase{"ec2_probe",
                 [] { return EC2::DescribeVolumesRequest().WithMaxResults(5).SerializePayload(); },
                 "Action=DescribeVolumes&MaxResults=5&Version=2016-11-15"},
        BodyCase{"cw_get_metric_statistics",
                 [] {
                     CW::GetMetricStatisticsRequest r;
                     r.SetNamespace("AWS/EC2");
                     r.SetMetricName("CPUUtilization");
                     r.SetDimensions({Dim("InstanceId", "i-1"), Dim("Name", "a b")});
                     r.SetStartTime(Aws::Utils::DateTime(int64_t{1714521600000}));
                     r.SetEndTime(Aws::Utils::DateTime(int64_t{1714522200000}));
                     r.SetPeriod(300);
                     r.AddStatistics(CW::Statistic::Average);
                     r.SetUnit(CW::StandardUnit::Bytes_Second);
                     return r.SerializePayload();
                 },
                 "Action=GetMetricStatistics&Namespace=AWS%2FEC2&MetricName=CPUUtilization"
                 "&Dimensions.member.1.Name=InstanceId&Dimensions.member.1.Value=i-1"
                 "&Dimensions.member.2.Name=Name&Dimensions.member.2.Value=a%20b"
                 "&StartTime=2024-05-01T00%3A00%3A00Z&EndTime=2024-05-01T00%3A10%3A00Z&Period=300"
                 "&Statistics.member.1=Average&Unit=Bytes%2FSecond&Version=2010-08-01"},
        BodyCase{"cw_list_metrics",
                 [] {
                     return CW::ListMetricsRequest()
                         .WithNamespace("AWS/ELB")
                         .WithNextToken("t")
                         .SerializePayload();
                 },
                 "Action=ListMetrics&Namespace=AWS%2FELB&NextToken=t&Version=2010-08-01"},
        BodyCase{"cw_describe_alarms_types",
                 [] {
                     CW::DescribeAlarmsRequest r;
                     r.SetAlarmNames({"cpu high"});
                     r.SetAlarmTypes({CW::AlarmType::MetricAlarm, CW::AlarmType::CompositeAlarm});
                     return r.SerializePayload();
                 },
                 "Action=DescribeAlarms&AlarmNames.member.1=cpu%20high&AlarmTypes.member.1=MetricAlarm"
                 "&AlarmTypes.member.2=CompositeAlarm&Version=2010-08-01"},
        BodyCase{"cw_describe_alarms_children",
                 [] {
                     return CW::DescribeAlarmsRequest()
                         .WithChildrenOfAlarmName("parent")
                         .WithMaxRecords(1)
                         .SerializePayload();
                 },
                 "Action=DescribeAlarms&ChildrenOfAlarmName=parent&MaxRecords=1&Version=2010-08-01"},
        BodyCase{"cw_explicit_empty_list",
                 [] {
                     return CW::DescribeAlarmsRequest()
                         .WithAlarmNames(Aws::Vector<Aws::String>{})
                         .SerializePayload();
                 },
                 "Action=DescribeAlarms&AlarmNames=&Version=2010-08-01"},
        BodyCase{"elb_describe_load_balancers",
                 [] {
                     return Aws::ElasticLoadBalancingv2::Model::DescribeLoadBalancersRequest()
                         .WithMarker("m1")
                         .WithPageSize(1)
                         .SerializePayload();
                 },
                 "Action=DescribeLoadBalancers&Marker=m1&PageSize=1&Version=2015-12-01"},
        BodyCase{
            "rds_describe_db_instances",
            [] { return Aws::RDS::Model::DescribeDBInstancesRequest().WithMarker("x y").SerializePayload(); },
            "Action=DescribeDBInstances&Marker=x%20y&Version=2014-10-31"}),
    [](const ::testing::TestParamInfo<BodyCase>& info) { return info.param.name; });

CE::DateInterval May2024() {
    return CE::DateInterval().WithStart("2024-05-01").WithEnd("2024-06-01");
}

TEST(CostExplorerPayload, GetCostAndUsageIsCjsonReadable) {
    CE::GetCostAndUsageRequest request;
    request.SetTimePeriod(May2024());
    request.SetGranularity(CE::Granularity::MONTHLY);
    request.SetMetrics({"UnblendedCost"});
    EXPECT_EQ(
        request.SerializePayload(),
        "{\n\t\"TimePeriod\":\t{\n\t\t\"Start\":\t\"2024-05-01\",\n\t\t\"End\":\t\"2024-06-01\"\n\t},\n\t"
        "\"Granularity\":\t\"MONTHLY\",\n\t\"Metrics\":\t[\"UnblendedCost\"]\n}");
    request.AddMetrics("BlendedCost");
    EXPECT_EQ(
        request.SerializePayload(),
        "{\n\t\"TimePeriod\":\t{\n\t\t\"Start\":\t\"2024-05-01\",\n\t\t\"End\":\t\"2024-06-01\"\n\t},\n\t"
        "\"Granularity\":\t\"MONTHLY\",\n\t\"Metrics\":\t[\"UnblendedCost\", \"BlendedCost\"]\n}");
}

TEST(CostExplorerPayload, GetCostForecastIsCjsonReadable) {
    CE::GetCostForecastRequest request;
    request.SetTimePeriod(May2024());
    request.SetMetric(CE::Metric::UNBLENDED_COST);
    request.SetGranularity(CE::Granularity::MONTHLY);
    EXPECT_EQ(
        request.SerializePayload(),
        "{\n\t\"TimePeriod\":\t{\n\t\t\"Start\":\t\"2024-05-01\",\n\t\t\"End\":\t\"2024-06-01\"\n\t},\n\t"
        "\"Metric\":\t\"UNBLENDED_COST\",\n\t\"Granularity\":\t\"MONTHLY\"\n}");
}

TEST(CostExplorerPayload, EmptyRequestAndMetricValue) {
    EXPECT_EQ(CE::GetCostAndUsageRequest().SerializePayload(), "{\n}\n");
    const CE::MetricValue value = CE::MetricValue().WithAmount("123.45").WithUnit("USD");
    EXPECT_EQ(value.Jsonize().View().WriteReadable(),
              "{\n\t\"Amount\":\t\"123.45\",\n\t\"Unit\":\t\"USD\"\n}");
    EXPECT_EQ(value.Jsonize().View().WriteCompact(), "{\"Amount\":\"123.45\",\"Unit\":\"USD\"}");
    EXPECT_EQ(CE::MetricValue().Jsonize().View().WriteCompact(), "{}");
}

TEST(JsonPrinter, EscapesLikeCjsonAndKeepsUtf8) {
    Aws::Utils::Json::JsonValue value;
    value.WithString("k", "q\"b\\n\n\x01\xC3\xA9")
        .WithInteger("i", 7)
        .WithDouble("d", 0.1)
        .WithBool("b", true);
    EXPECT_EQ(value.View().WriteCompact(),
              "{\"k\":\"q\\\"b\\\\n\\n\\u0001\xC3\xA9\",\"i\":7,\"d\":0.1,\"b\":true}");
    Aws::Utils::Json::JsonValue nested;
    nested.WithObject("o", Aws::Utils::Json::JsonValue().WithObject("p", Aws::Utils::Json::JsonValue()));
    EXPECT_EQ(nested.View().WriteReadable(), "{\n\t\"o\":\t{\n\t\t\"p\":\t{\n\t\t}\n\t}\n}");
}

TEST(JsonValue, ParsesAndReportsFailure) {
    const Aws::Utils::Json::JsonValue good("{\"a\":\"b\"}");
    EXPECT_TRUE(good.WasParseSuccessful());
    EXPECT_EQ(good.View().GetString("a"), "b");
    EXPECT_FALSE(good.View().ValueExists("c"));
    const Aws::Utils::Json::JsonValue bad("{\"a\":");
    EXPECT_FALSE(bad.WasParseSuccessful());
    EXPECT_FALSE(bad.GetErrorMessage().empty());
}

}  // namespace
