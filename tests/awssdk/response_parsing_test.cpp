#include "ce/ce_json.h"
#include "core/xml_operation.h"
#include "cw/cw_unmarshal.h"
#include "ec2/ec2_unmarshal.h"
#include "elb/elb_unmarshal.h"
#include "rds/rds_unmarshal.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Aws::Internal::CoreError;

// Runs a 2xx body through the same path the clients use; EC2's has no result wrapper.
template <typename Result>
Result Parse(std::string body, const char* operation, bool wrapper,
             void (*unmarshal)(const pugi::xml_node&, Result&)) {
    pugi::xml_document doc;
    pugi::xml_node node;
    CoreError error;
    EXPECT_TRUE(Aws::Internal::LoadXmlResult(body, operation, wrapper, doc, node, error))
        << error.GetMessage();
    Result result;
    unmarshal(node, result);
    return result;
}

TEST(Ec2Parsing, DescribeInstancesPageWithTagsStatesAndToken) {
    namespace M = Aws::EC2::Model;
    const auto result = Parse<M::DescribeInstancesResponse>(R"(<?xml version="1.0" encoding="UTF-8"?>
<DescribeInstancesResponse xmlns="http://ec2.amazonaws.com/doc/2016-11-15/"><requestId>r-1</requestId>
  <reservationSet><item><reservationId>r-0a</reservationId><ownerId>123</ownerId><instancesSet>
    <item><instanceId>i-1</instanceId><instanceState><code>16</code><name>running</name></instanceState>
      <launchTime>2024-05-01T10:20:30.000Z</launchTime><tagSet>
        <item><key>Name</key><value>web &amp; api</value></item>
        <item><key>aws:autoscaling:groupName</key><value>asg1</value></item></tagSet></item>
    <item><instanceId>i-2</instanceId><instanceState><code>80</code><name>stopped</name></instanceState></item>
  </instancesSet></item>
  <item><reservationId>r-0b</reservationId><instancesSet/></item></reservationSet>
  <nextToken>tok==</nextToken></DescribeInstancesResponse>)",
                                                            "DescribeInstances", false,
                                                            &M::UnmarshalDescribeInstancesResponse);
    ASSERT_EQ(result.GetReservations().size(), 2U);
    const auto& instances = result.GetReservations()[0].GetInstances();
    ASSERT_EQ(instances.size(), 2U);
    EXPECT_EQ(instances[0].GetInstanceId(), "i-1");
    EXPECT_EQ(instances[0].GetState().GetName(), M::InstanceStateName::running);
    EXPECT_EQ(instances[0].GetState().GetCode(), 16);
    EXPECT_EQ(instances[0].GetLaunchTime().Millis(), 1714558830000);
    ASSERT_EQ(instances[0].GetTags().size(), 2U);
    EXPECT_EQ(instances[0].GetTags()[0].GetValue(), "web & api");
    EXPECT_EQ(instances[1].GetState().GetName(), M::InstanceStateName::stopped);
    EXPECT_FALSE(instances[1].TagsHasBeenSet());
    EXPECT_FALSE(instances[1].LaunchTimeHasBeenSet());
    EXPECT_TRUE(result.GetReservations()[1].GetInstances().empty());
    EXPECT_EQ(result.GetNextToken(), "tok==");
}

TEST(Ec2Parsing, DescribeVolumesAttachmentsAndEnumTexts) {
    namespace M = Aws::EC2::Model;
    const auto result = Parse<M::DescribeVolumesResponse>(
        R"(<DescribeVolumesResponse xmlns="http://ec2.amazonaws.com/doc/2016-11-15/"><volumeSet>
        <item><volumeId>vol-1</volumeId><size>100</size><status>in-use</status><volumeType>gp3</volumeType>
          <attachmentSet>
            <item><instanceId>i-1</instanceId><device>/dev/xvda</device><status>attached</status></item>
            <item><instanceId>i-2</instanceId><device>/dev/sdf</device><status>detaching</status></item>
          </attachmentSet><encrypted>true</encrypted></item>
        <item><volumeId>vol-2</volumeId><status>deleting-soon</status><volumeType>io2</volumeType></item>
        </volumeSet></DescribeVolumesResponse>)",
        "DescribeVolumes", false, &M::UnmarshalDescribeVolumesResponse);
    ASSERT_EQ(result.GetVolumes().size(), 2U);
    const auto& v = result.GetVolumes()[0];
    EXPECT_EQ(v.GetSize(), 100);
    EXPECT_EQ(v.GetState(), M::VolumeState::in_use);
    EXPECT_EQ(v.GetVolumeType(), M::VolumeType::gp3);
    EXPECT_TRUE(v.GetEncrypted());
    ASSERT_EQ(v.GetAttachments().size(), 2U);
    EXPECT_EQ(v.GetAttachments()[1].GetDevice(), "/dev/sdf");
    EXPECT_EQ(v.GetAttachments()[1].GetState(), M::VolumeAttachmentState::detaching);
    // A state this release does not know survives as its text.
    EXPECT_EQ(M::VolumeStateMapper::GetNameForVolumeState(result.GetVolumes()[1].GetState()),
              "deleting-soon");
    EXPECT_TRUE(result.GetNextToken().empty());
}

TEST(Ec2Parsing, DescribeRegionsAndEmptyList) {
    namespace M = Aws::EC2::Model;
    const auto result = Parse<M::DescribeRegionsResponse>(
        R"(<DescribeRegionsResponse><regionInfo><item><regionName>eu-west-1</regionName>
           <regionEndpoint>ec2.eu-west-1.amazonaws.com</regionEndpoint></item>
           <item><regionName>us-east-1</regionName></item></regionInfo></DescribeRegionsResponse>)",
        "DescribeRegions", false, &M::UnmarshalDescribeRegionsResponse);
    ASSERT_EQ(result.GetRegions().size(), 2U);
    EXPECT_EQ(result.GetRegions()[0].GetEndpoint(), "ec2.eu-west-1.amazonaws.com");
    EXPECT_EQ(result.GetRegions()[1].GetRegionName(), "us-east-1");
    const auto empty =
        Parse<M::DescribeRegionsResponse>("<DescribeRegionsResponse><regionInfo/></DescribeRegionsResponse>",
                                          "DescribeRegions", false, &M::UnmarshalDescribeRegionsResponse);
    EXPECT_TRUE(empty.GetRegions().empty());
    EXPECT_TRUE(empty.RegionsHasBeenSet());
}

TEST(CloudWatchParsing, DatapointsWithPartialStatisticsAndUnits) {
    namespace M = Aws::CloudWatch::Model;
    const auto result = Parse<M::GetMetricStatisticsResult>(
        R"(<GetMetricStatisticsResponse xmlns="http://monitoring.amazonaws.com/doc/2010-08-01/">
          <GetMetricStatisticsResult><Label>CPUUtilization</Label><Datapoints>
            <member><Timestamp>2024-05-01T10:05:00Z</Timestamp><Average>12.5</Average><Unit>Percent</Unit></member>
            <member><Timestamp>2024-05-01T10:00:00Z</Timestamp><Maximum>1e3</Maximum><SampleCount>3.0</SampleCount>
              <Unit>Bytes/Second</Unit></member>
          </Datapoints></GetMetricStatisticsResult>
          <ResponseMetadata><RequestId>abc</RequestId></ResponseMetadata></GetMetricStatisticsResponse>)",
        "GetMetricStatistics", true, &M::UnmarshalGetMetricStatisticsResult);
    EXPECT_EQ(result.GetLabel(), "CPUUtilization");
    ASSERT_EQ(result.GetDatapoints().size(), 2U);
    const auto& a = result.GetDatapoints()[0];
    EXPECT_DOUBLE_EQ(a.GetAverage(), 12.5);
    EXPECT_FALSE(a.MaximumHasBeenSet());
    EXPECT_EQ(a.GetUnit(), M::StandardUnit::Percent);
    const auto& b = result.GetDatapoints()[1];
    EXPECT_DOUBLE_EQ(b.GetMaximum(), 1000.0);
    EXPECT_DOUBLE_EQ(b.GetSampleCount(), 3.0);
    EXPECT_EQ(b.GetUnit(), M::StandardUnit::Bytes_Second);
    EXPECT_EQ(a.GetTimestamp().Millis() - b.GetTimestamp().Millis(), 300000);
}

TEST(CloudWatchParsing, ListMetricsWithPrefixedNamespaceAndToken) {
    namespace M = Aws::CloudWatch::Model;
    const auto result = Parse<M::ListMetricsResult>(
        R"(<cw:ListMetricsResponse xmlns:cw="http://monitoring.amazonaws.com/doc/2010-08-01/"><cw:ListMetricsResult>
          <cw:Metrics><cw:member><cw:Namespace>AWS/ApplicationELB</cw:Namespace><cw:MetricName>RequestCount</cw:MetricName>
            <cw:Dimensions><cw:member><cw:Name>LoadBalancer</cw:Name><cw:Value>app/x/1</cw:Value></cw:member>
              <cw:member><cw:Name>TargetGroup</cw:Name><cw:Value>targetgroup/t/2</cw:Value></cw:member></cw:Dimensions>
          </cw:member></cw:Metrics><cw:NextToken>n1</cw:NextToken></cw:ListMetricsResult></cw:ListMetricsResponse>)",
        "ListMetrics", true, &M::UnmarshalListMetricsResult);
    ASSERT_EQ(result.GetMetrics().size(), 1U);
    EXPECT_EQ(result.GetMetrics()[0].GetNamespace(), "AWS/ApplicationELB");
    ASSERT_EQ(result.GetMetrics()[0].GetDimensions().size(), 2U);
    EXPECT_EQ(result.GetMetrics()[0].GetDimensions()[1].GetValue(), "targetgroup/t/2");
    EXPECT_EQ(result.GetNextToken(), "n1");
}

TEST(CloudWatchParsing, DescribeAlarmsMetricAndCompositeAlarms) {
    namespace M = Aws::CloudWatch::Model;
    const auto result = Parse<M::DescribeAlarmsResult>(
        R"(<DescribeAlarmsResponse><DescribeAlarmsResult>
          <MetricAlarms><member><AlarmName>cpu</AlarmName><StateValue>ALARM</StateValue>
            <StateReason>Threshold crossed</StateReason><Statistic>Average</Statistic><Period>60</Period>
            <Metrics>
              <member><Id>m1</Id><MetricStat><Metric><Namespace>AWS/EC2</Namespace><MetricName>CPUUtilization</MetricName>
                <Dimensions><member><Name>InstanceId</Name><Value>i-1</Value></member></Dimensions></Metric>
                <Period>300</Period><Stat>Maximum</Stat></MetricStat><ReturnData>false</ReturnData></member>
              <member><Id>e1</Id><Expression>m1*2</Expression><Label>double</Label><ReturnData>true</ReturnData></member>
            </Metrics></member></MetricAlarms>
          <CompositeAlarms><member><AlarmName>all</AlarmName><AlarmRule>ALARM(cpu)</AlarmRule>
            <StateValue>INSUFFICIENT_DATA</StateValue><AlarmDescription>d</AlarmDescription></member></CompositeAlarms>
        </DescribeAlarmsResult></DescribeAlarmsResponse>)",
        "DescribeAlarms", true, &M::UnmarshalDescribeAlarmsResult);
    ASSERT_EQ(result.GetMetricAlarms().size(), 1U);
    const auto& alarm = result.GetMetricAlarms()[0];
    EXPECT_EQ(alarm.GetStateValue(), M::StateValue::ALARM);
    EXPECT_EQ(alarm.GetStatistic(), M::Statistic::Average);
    EXPECT_FALSE(alarm.MetricNameHasBeenSet());
    ASSERT_EQ(alarm.GetMetrics().size(), 2U);
    const auto& query = alarm.GetMetrics()[0];
    EXPECT_EQ(query.GetMetricStat().GetMetric().GetDimensions().at(0).GetValue(), "i-1");
    EXPECT_EQ(query.GetMetricStat().GetPeriod(), 300);
    EXPECT_FALSE(query.GetReturnData());
    EXPECT_FALSE(query.ExpressionHasBeenSet());
    EXPECT_EQ(alarm.GetMetrics()[1].GetExpression(), "m1*2");
    EXPECT_FALSE(alarm.GetMetrics()[1].MetricStatHasBeenSet());
    ASSERT_EQ(result.GetCompositeAlarms().size(), 1U);
    EXPECT_EQ(result.GetCompositeAlarms()[0].GetAlarmRule(), "ALARM(cpu)");
    EXPECT_EQ(result.GetCompositeAlarms()[0].GetStateValue(), M::StateValue::INSUFFICIENT_DATA);
    EXPECT_FALSE(result.NextTokenHasBeenSet());
}

TEST(ElbAndRdsParsing, MarkersTypesAndMembers) {
    namespace E = Aws::ElasticLoadBalancingv2::Model;
    const auto elb = Parse<E::DescribeLoadBalancersResult>(
        R"(<DescribeLoadBalancersResponse><DescribeLoadBalancersResult><LoadBalancers>
          <member><LoadBalancerArn>arn:aws:elasticloadbalancing:us-east-1:1:loadbalancer/gwy/g/1</LoadBalancerArn>
            <LoadBalancerName>g</LoadBalancerName><Type>gateway</Type><State><Code>active_impaired</Code></State></member>
        </LoadBalancers><NextMarker>m2</NextMarker></DescribeLoadBalancersResult></DescribeLoadBalancersResponse>)",
        "DescribeLoadBalancers", true, &E::UnmarshalDescribeLoadBalancersResult);
    ASSERT_EQ(elb.GetLoadBalancers().size(), 1U);
    EXPECT_EQ(elb.GetLoadBalancers()[0].GetType(), E::LoadBalancerTypeEnum::gateway);
    EXPECT_EQ(elb.GetLoadBalancers()[0].GetState().GetCode(), E::LoadBalancerStateEnum::active_impaired);
    EXPECT_EQ(elb.GetNextMarker(), "m2");

    namespace R = Aws::RDS::Model;
    const auto rds = Parse<R::DescribeDBInstancesResult>(
        R"(<DescribeDBInstancesResponse><DescribeDBInstancesResult><DBInstances>
          <DBInstance><DBInstanceIdentifier>db1</DBInstanceIdentifier><Engine>postgres</Engine>
            <EngineVersion>15.4</EngineVersion><DBInstanceStatus>available</DBInstanceStatus>
            <DBInstanceArn>arn:aws:rds:us-east-1:1:db:db1</DBInstanceArn><MultiAZ>false</MultiAZ></DBInstance>
        </DBInstances></DescribeDBInstancesResult></DescribeDBInstancesResponse>)",
        "DescribeDBInstances", true, &R::UnmarshalDescribeDBInstancesResult);
    ASSERT_EQ(rds.GetDBInstances().size(), 1U);
    EXPECT_EQ(rds.GetDBInstances()[0].GetEngineVersion(), "15.4");
    EXPECT_FALSE(rds.MarkerHasBeenSet());
}

// A broken body is shown to be a parse error, and not retried, in transport_test.cpp.
TEST(XmlBody, EmptyIsAnEmptyResult) {
    pugi::xml_document doc;
    pugi::xml_node node;
    CoreError error;
    std::string empty;
    EXPECT_TRUE(Aws::Internal::LoadXmlResult(empty, "ListMetrics", true, doc, node, error));
    EXPECT_FALSE(node);
}

TEST(CostExplorerParsing, ResultsByTimeTotalsAndForecast) {
    namespace M = Aws::CostExplorer::Model;
    M::GetCostAndUsageResult usage;
    CoreError error;
    ASSERT_TRUE(M::UnmarshalGetCostAndUsageResult(
        R"({"ResultsByTime":[{"TimePeriod":{"Start":"2024-05-01","End":"2024-06-01"},
            "Total":{"UnblendedCost":{"Amount":"12.3456789","Unit":"EUR"},"BlendedCost":{"Amount":"1","Unit":"EUR"}},
            "Groups":[],"Estimated":true},{"TimePeriod":{"Start":"2024-06-01","End":"2024-06-02"},"Total":{}}],
            "NextPageToken":"p2","DimensionValueAttributes":[]})",
        usage, error));
    ASSERT_EQ(usage.GetResultsByTime().size(), 2U);
    const auto& may = usage.GetResultsByTime()[0];
    EXPECT_EQ(may.GetTimePeriod().GetEnd(), "2024-06-01");
    EXPECT_EQ(may.GetTotal().at("UnblendedCost").GetAmount(), "12.3456789");
    EXPECT_EQ(may.GetTotal().at("UnblendedCost").GetUnit(), "EUR");
    EXPECT_TRUE(may.GetEstimated());
    EXPECT_TRUE(usage.GetResultsByTime()[1].GetTotal().empty());
    EXPECT_EQ(usage.GetNextPageToken(), "p2");

    M::GetCostForecastResult forecast;
    ASSERT_TRUE(M::UnmarshalGetCostForecastResult(
        R"({"Total":{"Amount":"99.5","Unit":"USD"},"ForecastResultsByTime":[{"TimePeriod":{"Start":"a","End":"b"},
            "MeanValue":"99.5"}]})",
        forecast, error));
    EXPECT_EQ(forecast.GetTotal().GetAmount(), "99.5");
    EXPECT_EQ(forecast.GetForecastResultsByTime().at(0).GetMeanValue(), "99.5");
    EXPECT_FALSE(M::UnmarshalGetCostForecastResult("{\"Total\":", forecast, error));
    EXPECT_EQ(error.GetExceptionName(), "Json Parser Error");
}

}  // namespace
