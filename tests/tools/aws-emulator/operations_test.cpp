// The operations' semantics: selection, paging, validation, datapoint windows and aggregation, costs.
// What boto3_test.py already shows with AWS's own client (the demo's listings, default and configured
// page sizes, the common errors) is not repeated here.
#include "test_support.hpp"

#include <nlohmann/json.hpp>

#include <set>

namespace {

using namespace emu_test;
using json = nlohmann::json;

std::string iso(std::int64_t t) {
    const std::time_t tt = t;
    std::tm tm{};
    gmtime_r(&tt, &tm);
    std::array<char, 32> buffer{};
    std::strftime(buffer.data(), buffer.size(), "%Y-%m-%dT%H%%3A%M%%3A%SZ", &tm);
    return buffer.data();
}

constexpr const char* both_alarm_types = "AlarmTypes.member.1=MetricAlarm&AlarmTypes.member.2=CompositeAlarm";

// --- selection --------------------------------------------------------------------------------------

TEST(selection, answers_exactly_the_matching_items) {
    const char* const instances = "//instancesSet/item/instanceId";
    const char* const alarms = "//MetricAlarms/member/AlarmName | //CompositeAlarms/member/AlarmName";
    const char* const metrics = "//Metrics/member/MetricName";
    struct selection_case {
        std::string call;  // for request()
        const char* xpath;
        const char* expected;  // texts of the matching nodes, blank-separated
        const char* region = "us-east-1";
    };
    const selection_case cases[] = {
        {"ec2 DescribeInstances Filter.1.Name=instance-state-name&Filter.1.Value.1=stopped", instances,
         "i-0000000000000002"},
        {"ec2 DescribeInstances Filter.1.Name=tag%3AName&Filter.1.Value.1=web-*", instances,
         "i-0000000000000001 i-0000000000000002"},
        {"ec2 DescribeInstances", instances, "i-00000000000000e1", "eu-central-1"},
        {"ec2 DescribeVolumes", "//volumeSet/item/volumeId", "", "eu-central-1"},
        {"ec2 DescribeVolumes VolumeId.1=vol-0000000000000001",
         "//volumeSet/item[status='in-use']/attachmentSet/item[status='attached']/device", "/dev/xvda"},
        // boto3_test.py sends the other form of list parameters.
        {"rds DescribeDBInstances Filters.member.1.Name=db-instance-id&Filters.member.1.Value.1=db-1-replica",
         "//DBInstance/DBInstanceIdentifier", "db-1-replica"},
        {"elasticloadbalancing DescribeLoadBalancers Names.member.1=gwlb-1",
         "//member[contains(LoadBalancerArn, ':loadbalancer/gwy/gwlb-1/')]/Type", "gateway"},
        {"monitoring DescribeAlarms AlarmTypes.member.1=CompositeAlarm", alarms, "service-down"},
        {std::string("monitoring DescribeAlarms AlarmNames.member.1=service-down&") + both_alarm_types,
         alarms, "service-down"},
        {"monitoring DescribeAlarms ChildrenOfAlarmName=service-down&MaxRecords=1", alarms, "cpu-high"},
        {"monitoring DescribeAlarms ParentsOfAlarmName=cpu-high", alarms, "service-down"},
        {"monitoring DescribeAlarms StateValue=ALARM", alarms, "cpu-high"},
        {"monitoring DescribeAlarms AlarmNamePrefix=disk", alarms, "disk-low"},
        {"monitoring ListMetrics Namespace=AWS%2FEC2", metrics, "CPUUtilization NetworkIn"},
        {"monitoring ListMetrics Namespace=AWS%2FRDS", metrics, ""},
        {"monitoring ListMetrics Namespace=AWS%2FEC2&MetricName=NetworkIn", metrics, "NetworkIn"},
        {"monitoring ListMetrics "
         "Dimensions.member.1.Name=InstanceId&Dimensions.member.1.Value=i-0000000000000009",
         metrics, ""}};
    const auto server = start();
    for (const auto& c : cases) {
        client cl(*server);
        cl.region = c.region;
        const auto r = cl.send(request(c.call));
        EXPECT_EQ(r.status, 200) << c.call << "\n" << r.body;
        EXPECT_EQ(r.texts(c.xpath), c.expected) << c.call << " in " << c.region << "\n" << r.body;
    }
}

TEST(selection_wire, ec2_answers_in_its_namespace_with_a_request_id) {
    const auto server = start();
    const auto r = client(*server).send(request("ec2 DescribeRegions"));
    EXPECT_STREQ(r.xml.child("DescribeRegionsResponse").attribute("xmlns").value(),
                 "http://ec2.amazonaws.com/doc/2016-11-15/");
    EXPECT_FALSE(r.text("/DescribeRegionsResponse/requestId").empty());
}

// --- paging ---------------------------------------------------------------------------------------

TEST(paging, visits_every_item_once) {
    struct paging_case {
        const char* page_sizes;  // the scenario's
        std::string call;        // for request()
        const char* item_xpath;
        const char* token_xpath;
        const char* token_param;
        std::size_t items;
        std::size_t pages;
    };
    const paging_case cases[] = {
        {"{}", "ec2 DescribeInstances MaxResults=5", "//instancesSet/item/instanceId", "//nextToken",
         "NextToken", 7, 2},
        {R"({"DescribeInstances":3})", "ec2 DescribeInstances MaxResults=1000",
         "//instancesSet/item/instanceId", "//nextToken", "NextToken", 7, 3},
        {"{}", "elasticloadbalancing DescribeLoadBalancers PageSize=1",
         "//LoadBalancers/member/LoadBalancerName", "//NextMarker", "Marker", 3, 3},
        {"{}", std::string("monitoring DescribeAlarms MaxRecords=1&") + both_alarm_types, "//AlarmName",
         "//NextToken", "NextToken", 3, 3},
        {R"({"DescribeAlarms":2})",
         std::string("monitoring DescribeAlarms MaxRecords=100&") + both_alarm_types, "//AlarmName",
         "//NextToken", "NextToken", 3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        std::string scenario = base_scenario;
        scenario.insert(scenario.rfind('}'), std::string(",\"page_sizes\":") + c.page_sizes);
        const auto server = start(scenario);
        client cl(*server);
        std::set<std::string> seen;
        std::string token;
        std::size_t pages = 0;
        do {
            auto call = request(c.call);
            if (!token.empty()) {
                call.body += std::string("&") + c.token_param + "=" + emu::sigv4::uri_encode(token);
            }
            const auto r = cl.send(call);
            ASSERT_EQ(r.status, 200) << r.body;
            for (const auto& node : r.xml.select_nodes(c.item_xpath)) {
                EXPECT_TRUE(seen.insert(node.node().text().get()).second) << "an item came twice";
            }
            token = r.text(c.token_xpath);
            ASSERT_LE(++pages, c.items + 1) << "paging does not end";
        } while (!token.empty());
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(seen.size(), c.items);
    }
}

// --- rejected requests ------------------------------------------------------------------------------

TEST(rejected, with_the_services_error) {
    const std::pair<std::string, const char*> cases[] = {
        // request(), error code
        {"ec2 DescribeInstances NextToken=garbage", "InvalidParameterValue"},
        // A token of DescribeInstances given to DescribeVolumes.
        {"ec2 DescribeVolumes NextToken=ZW11bGF0b3I6RGVzY3JpYmVJbnN0YW5jZXM6MQ%3D%3D",
         "InvalidParameterValue"},
        {"ec2 DescribeInstances MaxResults=4", "InvalidParameterValue"},
        {"ec2 DescribeInstances MaxResults=1001", "InvalidParameterValue"},
        {"ec2 DescribeInstances InstanceId.1=i-0000000000000001&MaxResults=5", "InvalidParameterCombination"},
        {"ec2 DescribeInstances InstanceId.1=i-0fffffffffffffff", "InvalidInstanceID.NotFound"},
        {"ec2 DescribeVolumes VolumeId.1=disk-1", "InvalidVolumeID.Malformed"},
        {"ec2 DescribeVolumes MaxResults=501", "InvalidParameterValue"},
        {"ec2 DescribeVolumes Filter.1.Name=colour&Filter.1.Value.1=red", "InvalidParameterValue"},
        {"ec2 DescribeRegions RegionName.1=xx-east-1", "InvalidParameterValue"},
        {"ec2 DescribeSnapshots", "InvalidAction"},
        {"monitoring DescribeInstances", "InvalidAction"},
        {"elasticloadbalancing DescribeLoadBalancers PageSize=0", "ValidationError"},
        {"elasticloadbalancing DescribeLoadBalancers PageSize=401", "ValidationError"},
        {"elasticloadbalancing DescribeLoadBalancers Marker=xyz", "ValidationError"},
        {"rds DescribeDBInstances MaxRecords=19", "InvalidParameterValue"},
        {"rds DescribeDBInstances Filters.Filter.1.Name=colour&Filters.Filter.1.Values.Value.1=x",
         "InvalidParameterValue"},
        {"monitoring DescribeAlarms ChildrenOfAlarmName=service-down&AlarmTypes.member.1=MetricAlarm",
         "InvalidParameterCombination"},
        {"monitoring DescribeAlarms MaxRecords=101", "ValidationError"},
        {"monitoring DescribeAlarms AlarmTypes.member.1=LogAlarm", "ValidationError"},
        {"monitoring DescribeAlarms NextToken=abc", "InvalidNextToken"}};
    const auto server = start();
    client c(*server);
    const auto expect_error = [&](const service_call& call, const char* code, const std::string& what) {
        const auto r = c.send(call);
        EXPECT_EQ(r.status, 400) << what << "\n" << r.body;
        EXPECT_EQ(r.error_code(), code) << what << "\n" << r.body;
    };
    for (const auto& [call, code] : cases) {
        expect_error(request(call), code, call);
    }
    expect_error({"ec2", "Action=DescribeRegions&Version=2014-10-01", {}}, "InvalidAction", "old version");
    expect_error({"rds", "Version=2014-10-31", {}}, "MissingAction", "no action");
    expect_error({"ce", "{}", "AWSInsightsIndexService.GetReservationCoverage"}, "UnknownOperationException",
                 "unknown target");
}

// --- datapoints -------------------------------------------------------------------------------------

service_call statistics(std::int64_t from_ago, std::int64_t to_ago, int period, const std::string& stats,
                        const std::string& metric = "CPUUtilization", const std::string& rest = {}) {
    return request(
        "monitoring GetMetricStatistics Namespace=AWS%2FEC2&MetricName=" + metric +
        "&Dimensions.member.1.Name=InstanceId&Dimensions.member.1.Value=i-0000000000000001&StartTime=" +
        iso(fixed_now - from_ago) + "&EndTime=" + iso(fixed_now - to_ago) +
        "&Period=" + std::to_string(period) + "&" + stats + rest);
}

TEST(datapoints,
     window_is_start_inclusive_end_exclusive_aggregated_per_period_and_matches_unit_and_dimensions) {
    struct window_case {
        std::int64_t from_ago;
        std::int64_t to_ago;
        int period;
        std::map<std::int64_t, double> expected;  // seconds before now -> Average
        std::string rest = {};                    // unit and further dimensions
    };
    const window_case cases[] = {
        {600, 0, 60, {{600, 50}, {300, 40}, {120, 30}, {60, 20}}, "&Unit=Percent"},
        {600, 0, 60, {}, "&Unit=Bytes"},
        {600, 0, 60, {}, "&Dimensions.member.2.Name=AutoScalingGroupName&Dimensions.member.2.Value=a"},
        {600, -1, 60, {{600, 50}, {300, 40}, {120, 30}, {60, 20}, {0, 10}}},
        {599, 0, 60, {{300, 40}, {120, 30}, {60, 20}}},
        {600, 0, 300, {{600, 50}, {300, 30}}},
        {3600, 0, 3600, {{3600, 40}}},
        {7200, 3600, 60, {}}};
    const auto server = start();
    client c(*server);
    for (const auto& w : cases) {
        SCOPED_TRACE(testing::Message()
                     << w.from_ago << "s to " << w.to_ago << "s ago by " << w.period << w.rest);
        const auto r = c.send(statistics(w.from_ago, w.to_ago, w.period, "Statistics.member.1=Average",
                                         "CPUUtilization", w.rest));
        ASSERT_EQ(r.status, 200) << r.body;
        std::map<std::string, double> got;
        for (const auto& node : r.xml.select_nodes("//Datapoints/member")) {
            got[node.node().child_value("Timestamp")] = node.node().child("Average").text().as_double();
            EXPECT_STREQ(node.node().child_value("Unit"), "Percent");
            EXPECT_FALSE(node.node().child("Maximum")) << "a statistic that was not asked for";
        }
        std::map<std::string, double> want;
        for (const auto& [ago, average] : w.expected) {
            want[emu::sigv4::uri_decode(iso(fixed_now - ago))] = average;
        }
        EXPECT_EQ(got, want);
    }
}

TEST(datapoints, aggregate_every_requested_statistic) {
    const auto server = start();
    client c(*server);
    const auto r =
        c.send(statistics(300, 0, 300,
                          "Statistics.member.1=SampleCount&Statistics.member.2=Sum&Statistics.member.3="
                          "Minimum&Statistics.member.4=Maximum&Statistics.member.5=Average"));
    ASSERT_EQ(r.count("//Datapoints/member"), 1U) << r.body;
    std::map<std::string, std::string> point;
    for (const auto& child : r.xml.select_node("//Datapoints/member").node().children()) {
        point[child.name()] = child.text().get();
    }
    EXPECT_EQ(point, (std::map<std::string, std::string>{{"Timestamp", "2024-05-15T11:55:00Z"},
                                                         {"SampleCount", "3"},
                                                         {"Sum", "90"},
                                                         {"Minimum", "20"},
                                                         {"Maximum", "40"},
                                                         {"Average", "30"},
                                                         {"Unit", "Percent"}}));
    EXPECT_EQ(r.text("//Label"), "CPUUtilization");
}

TEST(datapoints, statistics_requests_are_validated) {
    struct statistics_case {
        std::int64_t from_ago;
        std::int64_t to_ago;
        int period;
        const char* stats;
        const char* code;  // empty: accepted
    };
    const statistics_case cases[] = {
        {600, 0, 0, "Statistics.member.1=Sum", "InvalidParameterValue"},
        {1440LL * 60, 0, 60, "Statistics.member.1=Sum", ""},  // exactly the most points there may be
        {1441LL * 60, 0, 60, "Statistics.member.1=Sum", "InvalidParameterCombination"},
        {0, 600, 60, "Statistics.member.1=Sum", "InvalidParameterValue"},
        {600, 0, 60, "Statistics.member.1=Median", "InvalidParameterValue"},
        {600, 0, 60, "X=1", "InvalidParameterCombination"}};
    const auto server = start();
    client c(*server);
    for (const auto& v : cases) {
        SCOPED_TRACE(testing::Message() << v.from_ago << "s to " << v.to_ago << "s ago by " << v.period);
        const auto r = c.send(statistics(v.from_ago, v.to_ago, v.period, v.stats, "NetworkIn"));
        EXPECT_EQ(r.status, *v.code == '\0' ? 200 : 400) << r.body;
        EXPECT_EQ(r.error_code(), v.code) << r.body;
        EXPECT_EQ(r.count("//Datapoints/member"), *v.code == '\0' ? 1440U : 0U);
    }
}

// --- costs ------------------------------------------------------------------------------------------

service_call ce(const char* operation, const std::string& start, const std::string& end,
                const std::string& rest) {
    return cost(operation,
                R"({"TimePeriod":{"Start":")" + start + R"(","End":")" + end + R"("},)" + rest + "}");
}

constexpr const char* monthly =
    R"("Granularity":"MONTHLY","Metrics":["BlendedCost","UnblendedCost","AmortizedCost"])";
constexpr const char* forecast = R"("Metric":"BLENDED_COST","Granularity":"MONTHLY")";

TEST(costs, follow_the_calendar_and_the_daily_rate) {
    const std::vector<std::pair<service_call, std::vector<std::pair<const char*, json>>>> cases = {
        // One result per calendar month touched; the running month is estimated; unknown metrics are 0.
        {ce("GetCostAndUsage", "2024-03-01", "2024-05-16", monthly),
         {{"/ResultsByTime/0/TimePeriod", {{"Start", "2024-03-01"}, {"End", "2024-04-01"}}},
          {"/ResultsByTime/0/Total/BlendedCost", {{"Amount", "310"}, {"Unit", "USD"}}},
          {"/ResultsByTime/0/Total/AmortizedCost/Amount", "0"},
          {"/ResultsByTime/0/Estimated", false},
          {"/ResultsByTime/1/Total/BlendedCost/Amount", "300"},
          {"/ResultsByTime/2/TimePeriod", {{"Start", "2024-05-01"}, {"End", "2024-05-16"}}},
          {"/ResultsByTime/2/Total/UnblendedCost/Amount", "150"},
          {"/ResultsByTime/2/Estimated", true},
          {"/ResultsByTime/3", nullptr}}},
        // 300 * 15/30 days of April; 150 * 5/15 days of May so far.
        {ce("GetCostAndUsage", "2024-04-16", "2024-05-06", monthly),
         {{"/ResultsByTime/0/Total/UnblendedCost/Amount", "150"},
          {"/ResultsByTime/1/Total/UnblendedCost/Amount", "50"}}},
        // 150 / 15 days so far * 17 days left.
        {ce("GetCostForecast", "2024-05-15", "2024-06-01",
            R"("Metric":"UNBLENDED_COST","Granularity":"MONTHLY")"),
         {{"/Total/Amount", "170"}}},
        {ce("GetCostForecast", "2024-05-15", "2025-01-01", forecast),
         {{"/Total", {{"Amount", "2310"}, {"Unit", "USD"}}},
          {"/ForecastResultsByTime/7/TimePeriod/Start", "2024-12-01"},
          {"/ForecastResultsByTime/8", nullptr}}}};
    const auto server = start();
    client c(*server);
    for (const auto& [call, expected] : cases) {
        const auto r = c.send(call);
        ASSERT_EQ(r.status, 200) << call.body << "\n" << r.body;
        const auto body = json::parse(r.body);
        for (const auto& [pointer, value] : expected) {
            EXPECT_EQ(body.value(json::json_pointer(pointer), json()), value) << call.body << " " << pointer;
        }
    }
}

TEST(costs, invalid_requests_get_a_json_error) {
    struct cost_error {
        service_call call;
        const char* code;
        const char* message;  // expected part
    };
    const cost_error cases[] = {
        {ce("GetCostAndUsage", "2024-05-01", "2024-05-01", monthly), "ValidationException",
         "Start date (and hour) should be before end date"},
        {ce("GetCostAndUsage", "2024-02-30", "2024-05-01", monthly), "ValidationException", "2024-02-30"},
        {ce("GetCostAndUsage", "2024-05-01", "2024-06-02", monthly), "ValidationException",
         "end date past the beginning of next month"},
        {ce("GetCostAndUsage", "2024-05-01", "2024-05-02", R"("Granularity":"MONTHLY","Metrics":["Cost"])"),
         "ValidationException", "Cost"},
        {cost("GetCostAndUsage", std::string("{") + monthly + "}"), "ValidationException", "timePeriod"},
        {cost("GetCostAndUsage", "{"), "SerializationException", ""},
        {ce("GetCostForecast", "2024-05-14", "2024-05-31", forecast), "ValidationException", "current date"},
        {ce("GetCostForecast", "2024-05-31", "2024-05-31", forecast), "ValidationException",
         "Requested Start: 2024-05-31 must be before requested End: 2024-05-31"},
        {ce("GetCostForecast", "2024-05-15", "2025-07-01", forecast), "ValidationException", "12 months"},
        {ce("GetCostForecast", "2024-05-15", "2024-05-31",
            R"("Metric":"USAGE_QUANTITY","Granularity":"MONTHLY")"),
         "ValidationException", "metric"}};
    const auto server = start();
    client c(*server);
    for (const auto& e : cases) {
        const auto r = c.send(e.call);
        EXPECT_EQ(r.status, 400) << e.call.body;
        EXPECT_EQ(r.error_code(), e.code) << e.call.body;
        const auto body = json::parse(r.body);
        EXPECT_EQ(body["__type"], e.code);
        EXPECT_NE(body["message"].get<std::string>().find(e.message), std::string::npos) << r.body;
    }
}

TEST(costs_unavailable, the_forecast_fails_as_cost_explorer_does_while_costs_answer) {
    const auto server = start(R"({"accounts":[{"credentials":[{"access_key":"AKIDEXAMPLE",
        "secret_key":"wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"}],
        "costs":{"months":{"0":{"BlendedCost":5}},"forecast":{"unavailable":true}}}]})");
    client c(*server);
    EXPECT_EQ(c.send(ce("GetCostAndUsage", "2024-05-01", "2024-05-16", monthly)).status, 200);
    const auto r = c.send(ce("GetCostForecast", "2024-05-15", "2024-05-31", forecast));
    EXPECT_EQ(r.status, 400);
    EXPECT_EQ(r.error_code(), "DataUnavailableException");
}

}  // namespace
