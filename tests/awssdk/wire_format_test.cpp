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
using Names = Aws::Vector<Aws::String>;

struct BodyCase {
    const char* name;
    std::function<std::string()> serialize;
    std::string expected;
};

class QueryBody : public ::testing::TestWithParam<BodyCase> {};

TEST_P(QueryBody, IsByteExact) {
    EXPECT_EQ(GetParam().serialize(), GetParam().expected);
}

std::string MetricStatistics() {
    return CW::GetMetricStatisticsRequest()
        .WithNamespace("AWS/EC2")
        .WithMetricName("CPUUtilization")
        .WithDimensions(Aws::Vector<CW::Dimension>{CW::Dimension().WithName("InstanceId").WithValue("i-1"),
                                                   CW::Dimension().WithName("Name").WithValue("a b")})
        .WithStartTime(Aws::Utils::DateTime(int64_t{1714521600000}))
        .WithEndTime(Aws::Utils::DateTime(int64_t{1714522200000}))
        .WithPeriod(300)
        .AddStatistics(CW::Statistic::Average)
        .WithUnit(CW::StandardUnit::Bytes_Second)
        .SerializePayload();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Operations, QueryBody, ::testing::Values(
    BodyCase{"ec2_describe_regions_all",
             [] { return EC2::DescribeRegionsRequest().WithAllRegions(false).AddRegionNames("eu-west-1").SerializePayload(); },
             "Action=DescribeRegions&RegionName.1=eu-west-1&AllRegions=false&Version=2016-11-15"},
    BodyCase{"ec2_describe_instances_page",
             [] { return EC2::DescribeInstancesRequest().WithMaxResults(1000).WithNextToken("a+b/c=").SerializePayload(); },
             "Action=DescribeInstances&MaxResults=1000&NextToken=a%2Bb%2Fc%3D&Version=2016-11-15"},
    BodyCase{"ec2_describe_volumes_by_id",
             [] { return EC2::DescribeVolumesRequest().WithVolumeIds(Names{"vol-1", "vol-2"}).SerializePayload(); },
             "Action=DescribeVolumes&VolumeId.1=vol-1&VolumeId.2=vol-2&Version=2016-11-15"},
    BodyCase{"ec2_probe", [] { return EC2::DescribeVolumesRequest().WithMaxResults(5).SerializePayload(); },
             "Action=DescribeVolumes&MaxResults=5&Version=2016-11-15"},
    BodyCase{"cw_get_metric_statistics", &MetricStatistics,
             "Action=GetMetricStatistics&Namespace=AWS%2FEC2&MetricName=CPUUtilization"
             "&Dimensions.member.1.Name=InstanceId&Dimensions.member.1.Value=i-1"
             "&Dimensions.member.2.Name=Name&Dimensions.member.2.Value=a%20b"
             "&StartTime=2024-05-01T00%3A00%3A00Z&EndTime=2024-05-01T00%3A10%3A00Z&Period=300"
             "&Statistics.member.1=Average&Unit=Bytes%2FSecond&Version=2010-08-01"},
    BodyCase{"cw_list_metrics", [] { return CW::ListMetricsRequest().WithNamespace("AWS/ELB").WithNextToken("t").SerializePayload(); },
             "Action=ListMetrics&Namespace=AWS%2FELB&NextToken=t&Version=2010-08-01"},
    BodyCase{"cw_describe_alarms_types",
             [] {
                 return CW::DescribeAlarmsRequest().WithAlarmNames(Names{"cpu high"})
                     .WithAlarmTypes(Aws::Vector<CW::AlarmType>{CW::AlarmType::MetricAlarm, CW::AlarmType::CompositeAlarm})
                     .SerializePayload();
             },
             "Action=DescribeAlarms&AlarmNames.member.1=cpu%20high&AlarmTypes.member.1=MetricAlarm"
             "&AlarmTypes.member.2=CompositeAlarm&Version=2010-08-01"},
    BodyCase{"cw_describe_alarms_children",
             [] { return CW::DescribeAlarmsRequest().WithChildrenOfAlarmName("parent").WithMaxRecords(1).SerializePayload(); },
             "Action=DescribeAlarms&ChildrenOfAlarmName=parent&MaxRecords=1&Version=2010-08-01"},
    BodyCase{"cw_explicit_empty_list", [] { return CW::DescribeAlarmsRequest().WithAlarmNames(Names{}).SerializePayload(); },
             "Action=DescribeAlarms&AlarmNames=&Version=2010-08-01"},
    BodyCase{"elb_describe_load_balancers",
             [] { return Aws::ElasticLoadBalancingv2::Model::DescribeLoadBalancersRequest().WithMarker("m1").WithPageSize(1).SerializePayload(); },
             "Action=DescribeLoadBalancers&Marker=m1&PageSize=1&Version=2015-12-01"},
    BodyCase{"rds_describe_db_instances",
             [] { return Aws::RDS::Model::DescribeDBInstancesRequest().WithMarker("x y").SerializePayload(); },
             "Action=DescribeDBInstances&Marker=x%20y&Version=2014-10-31"}),
    [](const ::testing::TestParamInfo<BodyCase>& info) { return info.param.name; });
// clang-format on

// Byte for byte what the official SDK's cJSON printer writes: tabs, ":\t", ", " inside arrays.
TEST(CostExplorerPayload, RequestsAreCjsonReadable) {
    const auto may = CE::DateInterval().WithStart("2024-05-01").WithEnd("2024-06-01");
    const std::string period =
        "{\n\t\"TimePeriod\":\t{\n\t\t\"Start\":\t\"2024-05-01\",\n\t\t\"End\":\t\"2024-06-01\"\n\t},\n\t";
    EXPECT_EQ(
        CE::GetCostAndUsageRequest()
            .WithTimePeriod(may)
            .WithGranularity(CE::Granularity::MONTHLY)
            .WithMetrics(Names{"UnblendedCost", "BlendedCost"})
            .SerializePayload(),
        period + "\"Granularity\":\t\"MONTHLY\",\n\t\"Metrics\":\t[\"UnblendedCost\", \"BlendedCost\"]\n}");
    EXPECT_EQ(CE::GetCostForecastRequest()
                  .WithTimePeriod(may)
                  .WithMetric(CE::Metric::UNBLENDED_COST)
                  .WithGranularity(CE::Granularity::MONTHLY)
                  .SerializePayload(),
              period + "\"Metric\":\t\"UNBLENDED_COST\",\n\t\"Granularity\":\t\"MONTHLY\"\n}");
    EXPECT_EQ(CE::GetCostAndUsageRequest().SerializePayload(), "{\n}\n");
}

TEST(JsonPrinter, EscapesLikeCjsonAndKeepsUtf8) {
    EXPECT_EQ(CE::MetricValue().WithAmount("1").Jsonize().View().WriteCompact(), "{\"Amount\":\"1\"}");
    Aws::Utils::Json::JsonValue mixed;
    mixed.WithString("k", "q\"b\\n\n\x01\xC3\xA9")
        .WithInteger("i", 7)
        .WithDouble("d", 0.1)
        .WithBool("b", true);
    EXPECT_EQ(mixed.View().WriteCompact(),
              "{\"k\":\"q\\\"b\\\\n\\n\\u0001\xC3\xA9\",\"i\":7,\"d\":0.1,\"b\":true}");
    Aws::Utils::Json::JsonValue nested;
    nested.WithObject("o", Aws::Utils::Json::JsonValue().WithObject("p", Aws::Utils::Json::JsonValue()));
    EXPECT_EQ(nested.View().WriteReadable(), "{\n\t\"o\":\t{\n\t\t\"p\":\t{\n\t\t}\n\t}\n}");
}

}  // namespace
