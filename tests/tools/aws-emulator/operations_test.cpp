// The operations' semantics: paging, validation, datapoint windows and aggregation, costs.
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

std::string with_page_sizes(const std::string& sizes) {
    std::string s = base_scenario;
    s.insert(s.rfind('}'), ",\"page_sizes\":" + sizes);
    return s;
}

// --- paging ---------------------------------------------------------------------------------------

struct paging_case {
    const char* name;
    const char* page_sizes;  // scenario's, "{}" for none
    service_call call;
    const char* item_xpath;
    const char* token_xpath;
    const char* token_param;
    std::size_t items;
    std::size_t pages;
};

class paging : public ::testing::TestWithParam<paging_case> {};

TEST_P(paging, visits_every_item_once) {
    const auto& c = GetParam();
    const auto server = start(with_page_sizes(c.page_sizes));
    client cl(*server);
    std::multiset<std::string> seen;
    std::string token;
    std::size_t pages = 0;
    do {
        auto call = c.call;
        if (!token.empty()) {
            call.body += std::string("&") + c.token_param + "=" + emu::sigv4::uri_encode(token);
        }
        const auto r = cl.send(call);
        ASSERT_EQ(r.status, 200) << r.body;
        for (const auto& node : r.xml.select_nodes(c.item_xpath)) {
            seen.insert(node.node().text().get());
        }
        token = r.text(c.token_xpath);
        ASSERT_LE(++pages, c.items + 1) << "paging does not end";
    } while (!token.empty());
    EXPECT_EQ(pages, c.pages);
    EXPECT_EQ(seen.size(), c.items);
    EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), c.items) << "an item came twice";
}

INSTANTIATE_TEST_SUITE_P(
    all, paging,
    ::testing::Values(
        paging_case{"instances_max_results", "{}", query("ec2", "DescribeInstances", "MaxResults=5"),
                    "//instancesSet/item/instanceId", "//nextToken", "NextToken", 7, 2},
        paging_case{"instances_without_limit", "{}", query("ec2", "DescribeInstances"),
                    "//instancesSet/item/instanceId", "//nextToken", "NextToken", 7, 1},
        paging_case{"instances_configured", R"({"DescribeInstances":3})",
                    query("ec2", "DescribeInstances", "MaxResults=1000"), "//instancesSet/item/instanceId",
                    "//nextToken", "NextToken", 7, 3},
        paging_case{"volumes_configured", R"({"DescribeVolumes":1})", query("ec2", "DescribeVolumes"),
                    "//volumeSet/item/volumeId", "//nextToken", "NextToken", 2, 2},
        paging_case{"load_balancers_page_size", "{}",
                    query("elasticloadbalancing", "DescribeLoadBalancers", "PageSize=1"),
                    "//LoadBalancers/member/LoadBalancerName", "//NextMarker", "Marker", 3, 3},
        paging_case{"db_instances_configured", R"({"DescribeDBInstances":1})",
                    query("rds", "DescribeDBInstances"), "//DBInstances/DBInstance/DBInstanceIdentifier",
                    "//DescribeDBInstancesResult/Marker", "Marker", 2, 2},
        paging_case{"alarms_across_both_kinds", "{}",
                    query("monitoring", "DescribeAlarms",
                          "AlarmTypes.member.1=MetricAlarm&AlarmTypes.member.2=CompositeAlarm&MaxRecords=1"),
                    "//AlarmName", "//NextToken", "NextToken", 3, 3},
        paging_case{
            "alarms_configured_smaller_than_request", R"({"DescribeAlarms":2})",
            query("monitoring", "DescribeAlarms",
                  "AlarmTypes.member.1=MetricAlarm&AlarmTypes.member.2=CompositeAlarm&MaxRecords=100"),
            "//AlarmName", "//NextToken", "NextToken", 3, 2},
        paging_case{"metrics_configured", R"({"ListMetrics":1})", query("monitoring", "ListMetrics"),
                    "//Metrics/member/MetricName", "//NextToken", "NextToken", 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(paging_limits, generated_instances_give_a_hundred_and_one_pages_of_one) {
    const auto server = start(R"({"accounts":[{"credentials":[{"access_key":"AKIDEXAMPLE",
        "secret_key":"wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"}],
        "regions":{"us-east-1":{"generate":{"instances":101}}}}],"page_sizes":{"DescribeInstances":1}})");
    client c(*server);
    std::string token;
    std::size_t pages = 0;
    do {
        const auto r = c.send(
            query("ec2", "DescribeInstances",
                  "MaxResults=1000" + (token.empty() ? "" : "&NextToken=" + emu::sigv4::uri_encode(token))));
        ASSERT_EQ(r.count("//instancesSet/item"), 1U);
        token = r.text("//nextToken");
        ++pages;
    } while (!token.empty() && pages < 200);
    EXPECT_EQ(pages, 101U);
    EXPECT_EQ(server->count("DescribeInstances"), 101U);
}

struct rejection {
    const char* name;
    service_call call;
    int status;
    const char* code;
};

class rejected : public ::testing::TestWithParam<rejection> {};

TEST_P(rejected, with_the_services_error) {
    const auto server = start();
    client c(*server);
    const auto r = c.send(GetParam().call);
    EXPECT_EQ(r.status, GetParam().status) << r.body;
    EXPECT_EQ(r.error_code(), GetParam().code) << r.body;
}

INSTANTIATE_TEST_SUITE_P(
    all, rejected,
    ::testing::Values(
        rejection{"bad_next_token", query("ec2", "DescribeInstances", "NextToken=garbage"), 400,
                  "InvalidParameterValue"},
        rejection{"token_of_another_operation",
                  query("ec2", "DescribeVolumes", "NextToken=ZW11bGF0b3I6RGVzY3JpYmVJbnN0YW5jZXM6MQ%3D%3D"),
                  400, "InvalidParameterValue"},
        rejection{"instances_max_results_too_small", query("ec2", "DescribeInstances", "MaxResults=4"), 400,
                  "InvalidParameterValue"},
        rejection{"instances_max_results_too_big", query("ec2", "DescribeInstances", "MaxResults=1001"), 400,
                  "InvalidParameterValue"},
        rejection{"instances_ids_with_max_results",
                  query("ec2", "DescribeInstances", "InstanceId.1=i-0000000000000001&MaxResults=5"), 400,
                  "InvalidParameterCombination"},
        rejection{"unknown_instance", query("ec2", "DescribeInstances", "InstanceId.1=i-0fffffffffffffff"),
                  400, "InvalidInstanceID.NotFound"},
        rejection{"unknown_volume", query("ec2", "DescribeVolumes", "VolumeId.1=vol-0fffffffffffffff"), 400,
                  "InvalidVolume.NotFound"},
        rejection{"malformed_volume_id", query("ec2", "DescribeVolumes", "VolumeId.1=disk-1"), 400,
                  "InvalidVolumeID.Malformed"},
        rejection{"volumes_max_results_too_big", query("ec2", "DescribeVolumes", "MaxResults=501"), 400,
                  "InvalidParameterValue"},
        rejection{"unknown_filter",
                  query("ec2", "DescribeVolumes", "Filter.1.Name=colour&Filter.1.Value.1=red"), 400,
                  "InvalidParameterValue"},
        rejection{"unknown_region_name", query("ec2", "DescribeRegions", "RegionName.1=xx-east-1"), 400,
                  "InvalidParameterValue"},
        rejection{"unknown_action", query("ec2", "DescribeSnapshots"), 400, "InvalidAction"},
        rejection{"action_of_another_service", query("monitoring", "DescribeInstances"), 400,
                  "InvalidAction"},
        rejection{
            "wrong_version", {"ec2", "Action=DescribeRegions&Version=2014-10-01", {}}, 400, "InvalidAction"},
        rejection{"missing_action", {"rds", "Version=2014-10-31", {}}, 400, "MissingAction"},
        rejection{"unknown_load_balancer",
                  query("elasticloadbalancing", "DescribeLoadBalancers", "Names.member.1=nope"), 400,
                  "LoadBalancerNotFound"},
        rejection{"page_size_zero", query("elasticloadbalancing", "DescribeLoadBalancers", "PageSize=0"), 400,
                  "ValidationError"},
        rejection{"page_size_too_big", query("elasticloadbalancing", "DescribeLoadBalancers", "PageSize=401"),
                  400, "ValidationError"},
        rejection{"bad_marker", query("elasticloadbalancing", "DescribeLoadBalancers", "Marker=xyz"), 400,
                  "ValidationError"},
        rejection{"unknown_db_instance", query("rds", "DescribeDBInstances", "DBInstanceIdentifier=nope"),
                  404, "DBInstanceNotFound"},
        rejection{"db_max_records_too_small", query("rds", "DescribeDBInstances", "MaxRecords=19"), 400,
                  "InvalidParameterValue"},
        rejection{"unknown_db_filter",
                  query("rds", "DescribeDBInstances",
                        "Filters.Filter.1.Name=colour&Filters.Filter.1.Values.Value.1=x"),
                  400, "InvalidParameterValue"},
        rejection{"children_with_other_filters",
                  query("monitoring", "DescribeAlarms",
                        "ChildrenOfAlarmName=service-down&AlarmTypes.member.1=MetricAlarm"),
                  400, "InvalidParameterCombination"},
        rejection{"alarm_max_records_too_big", query("monitoring", "DescribeAlarms", "MaxRecords=101"), 400,
                  "ValidationError"},
        rejection{"bad_alarm_type", query("monitoring", "DescribeAlarms", "AlarmTypes.member.1=LogAlarm"),
                  400, "ValidationError"},
        rejection{"bad_alarm_token", query("monitoring", "DescribeAlarms", "NextToken=abc"), 400,
                  "InvalidNextToken"},
        rejection{"unknown_ce_target",
                  {"ce", "{}", "AWSInsightsIndexService.GetReservationCoverage"},
                  400,
                  "UnknownOperationException"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- listing contents -----------------------------------------------------------------------------

TEST(listings, regions_are_the_enabled_ones_in_scenario_order) {
    const auto server = start();
    client c(*server);
    const auto r = c.send(query("ec2", "DescribeRegions"));
    ASSERT_EQ(r.count("//regionInfo/item"), 2U);
    EXPECT_EQ(r.xml.select_nodes("//regionName")[0].node().text().as_string(), std::string("us-east-1"));
    EXPECT_EQ(r.xml.select_nodes("//regionName")[1].node().text().as_string(), std::string("eu-central-1"));
    EXPECT_EQ(r.text("/DescribeRegionsResponse/@xmlns"), "");  // attributes are not text; namespace below
    EXPECT_STREQ(r.xml.child("DescribeRegionsResponse").attribute("xmlns").value(),
                 "http://ec2.amazonaws.com/doc/2016-11-15/");
    EXPECT_FALSE(r.text("/DescribeRegionsResponse/requestId").empty());
}

TEST(listings, instances_carry_state_codes_tags_and_reservations) {
    const auto server = start();
    client c(*server);
    const auto r = c.send(
        query("ec2", "DescribeInstances", "InstanceId.1=i-0000000000000002&InstanceId.2=i-0000000000000003"));
    ASSERT_EQ(r.status, 200) << r.body;
    EXPECT_EQ(r.text("//item[instanceId='i-0000000000000002']/instanceState/code"), "80");
    EXPECT_EQ(r.text("//item[instanceId='i-0000000000000002']/instanceState/name"), "stopped");
    EXPECT_EQ(
        r.text("//item[instanceId='i-0000000000000003']/tagSet/item[key='aws:autoscaling:groupName']/value"),
        "asg-1");
    EXPECT_EQ(r.text("//reservationSet/item/ownerId"), "111122223333");
}

TEST(listings, instance_filters_select_by_state_and_tag) {
    const auto server = start();
    client c(*server);
    auto r = c.send(
        query("ec2", "DescribeInstances", "Filter.1.Name=instance-state-name&Filter.1.Value.1=stopped"));
    EXPECT_EQ(r.count("//instancesSet/item"), 1U);
    r = c.send(query("ec2", "DescribeInstances", "Filter.1.Name=tag%3AName&Filter.1.Value.1=web-*"));
    EXPECT_EQ(r.count("//instancesSet/item"), 2U);
}

TEST(listings, volume_attachments_and_eu_region_are_separate) {
    const auto server = start();
    client c(*server);
    auto r = c.send(query("ec2", "DescribeVolumes", "VolumeId.1=vol-0000000000000001"));
    EXPECT_EQ(r.text("//attachmentSet/item/instanceId"), "i-0000000000000001");
    EXPECT_EQ(r.text("//attachmentSet/item/device"), "/dev/xvda");
    EXPECT_EQ(r.text("//attachmentSet/item/status"), "attached");
    EXPECT_EQ(r.text("//volumeSet/item/status"), "in-use");
    c.region = "eu-central-1";
    r = c.send(query("ec2", "DescribeInstances"));
    EXPECT_EQ(r.count("//instancesSet/item"), 1U);
    EXPECT_EQ(c.send(query("ec2", "DescribeVolumes")).count("//volumeSet/item"), 0U);
}

TEST(listings, db_filters_in_both_sdk_forms) {
    const auto server = start();
    client c(*server);
    for (const char* filter :
         {"Filters.member.1.Name=db-instance-id&Filters.member.1.Value.1=db-1-replica",
          "Filters.Filter.1.Name=db-instance-id&Filters.Filter.1.Values.Value.1=db-1-replica"}) {
        const auto r = c.send(query("rds", "DescribeDBInstances", filter));
        ASSERT_EQ(r.count("//DBInstances/DBInstance"), 1U) << filter << "\n" << r.body;
        EXPECT_EQ(r.text("//DBInstance/ReadReplicaSourceDBInstanceIdentifier"), "db-1");
    }
    const auto source = c.send(query("rds", "DescribeDBInstances", "DBInstanceIdentifier=db-1"));
    EXPECT_EQ(source.text("//ReadReplicaDBInstanceIdentifiers/ReadReplicaDBInstanceIdentifier"),
              "db-1-replica");
}

TEST(listings, load_balancers_include_gateway_type) {
    const auto server = start();
    client c(*server);
    const auto r = c.send(query("elasticloadbalancing", "DescribeLoadBalancers", "Names.member.1=gwlb-1"));
    EXPECT_EQ(r.text("//LoadBalancers/member/Type"), "gateway");
    EXPECT_NE(r.text("//LoadBalancerArn").find(":loadbalancer/gwy/gwlb-1/"), std::string::npos);
    EXPECT_EQ(r.text("//State/Code"), "active");
}

struct alarm_case {
    const char* name;
    const char* params;
    std::size_t metric_alarms;
    std::size_t composite_alarms;
};

class alarm_selection : public ::testing::TestWithParam<alarm_case> {};

TEST_P(alarm_selection, follows_the_filters) {
    const auto server = start();
    client c(*server);
    const auto r = c.send(query("monitoring", "DescribeAlarms", GetParam().params));
    ASSERT_EQ(r.status, 200) << r.body;
    EXPECT_EQ(r.count("//MetricAlarms/member"), GetParam().metric_alarms);
    EXPECT_EQ(r.count("//CompositeAlarms/member"), GetParam().composite_alarms);
}

INSTANTIATE_TEST_SUITE_P(
    all, alarm_selection,
    ::testing::Values(alarm_case{"no_types_means_metric_only", "", 2, 0},
                      alarm_case{"composite_only", "AlarmTypes.member.1=CompositeAlarm", 0, 1},
                      alarm_case{"both", "AlarmTypes.member.1=MetricAlarm&AlarmTypes.member.2=CompositeAlarm",
                                 2, 1},
                      alarm_case{"by_name",
                                 "AlarmNames.member.1=service-down&AlarmTypes.member.1=CompositeAlarm&"
                                 "AlarmTypes.member.2=MetricAlarm",
                                 0, 1},
                      alarm_case{"children", "ChildrenOfAlarmName=service-down", 2, 0},
                      alarm_case{"children_paged", "ChildrenOfAlarmName=service-down&MaxRecords=1", 1, 0},
                      alarm_case{"parents", "ParentsOfAlarmName=cpu-high", 0, 1},
                      alarm_case{"state", "StateValue=ALARM", 1, 0},
                      alarm_case{"prefix", "AlarmNamePrefix=disk", 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(listings, metrics_filter_by_namespace_name_and_dimension) {
    const auto server = start();
    client c(*server);
    EXPECT_EQ(c.send(query("monitoring", "ListMetrics", "Namespace=AWS%2FEC2")).count("//Metrics/member"),
              2U);
    EXPECT_EQ(c.send(query("monitoring", "ListMetrics", "Namespace=AWS%2FRDS")).count("//Metrics/member"),
              0U);
    EXPECT_EQ(c.send(query("monitoring", "ListMetrics", "Namespace=AWS%2FEC2&MetricName=NetworkIn"))
                  .count("//Metrics/member"),
              1U);
    EXPECT_EQ(
        c.send(query("monitoring", "ListMetrics",
                     "Dimensions.member.1.Name=InstanceId&Dimensions.member.1.Value=i-0000000000000009"))
            .count("//Metrics/member"),
        0U);
}

// --- datapoints -----------------------------------------------------------------------------------

std::string statistics_request(std::int64_t from, std::int64_t to, int period, const std::string& stats,
                               const std::string& metric = "CPUUtilization") {
    return "Namespace=AWS%2FEC2&MetricName=" + metric +
           "&Dimensions.member.1.Name=InstanceId&Dimensions.member.1.Value=i-0000000000000001&StartTime=" +
           iso(from) + "&EndTime=" + iso(to) + "&Period=" + std::to_string(period) + "&" + stats;
}

struct window_case {
    const char* name;
    std::int64_t from_ago;
    std::int64_t to_ago;
    int period;
    std::vector<std::pair<std::int64_t, double>> expected;  // (seconds before now, Average)
};

class datapoint_window : public ::testing::TestWithParam<window_case> {};

TEST_P(datapoint_window, selects_start_inclusive_end_exclusive_and_aggregates_per_period) {
    const auto& c = GetParam();
    const auto server = start();
    client cl(*server);
    const auto r = cl.send(query("monitoring", "GetMetricStatistics",
                                 statistics_request(fixed_now - c.from_ago, fixed_now - c.to_ago, c.period,
                                                    "Statistics.member.1=Average")));
    ASSERT_EQ(r.status, 200) << r.body;
    std::map<std::string, double> got;
    for (const auto& node : r.xml.select_nodes("//Datapoints/member")) {
        got[node.node().child_value("Timestamp")] = node.node().child("Average").text().as_double();
        EXPECT_STREQ(node.node().child_value("Unit"), "Percent");
        EXPECT_FALSE(node.node().child("Maximum")) << "a statistic that was not asked for";
    }
    std::map<std::string, double> want;
    for (const auto& [ago, average] : c.expected) {
        want[emu::sigv4::uri_decode(iso(fixed_now - ago))] = average;
    }
    EXPECT_EQ(got, want);
}

INSTANTIATE_TEST_SUITE_P(
    all, datapoint_window,
    ::testing::Values(window_case{"ten_minutes", 600, 0, 60, {{600, 50}, {300, 40}, {120, 30}, {60, 20}}},
                      window_case{"end_inclusive_of_now_plus_one",
                                  600,
                                  -1,
                                  60,
                                  {{600, 50}, {300, 40}, {120, 30}, {60, 20}, {0, 10}}},
                      window_case{"start_just_after_a_point", 599, 0, 60, {{300, 40}, {120, 30}, {60, 20}}},
                      window_case{"five_minute_buckets", 600, 0, 300, {{600, 50}, {300, 30}}},
                      window_case{"hour_bucket", 3600, 0, 3600, {{3600, 40}}},
                      window_case{"nothing_in_window", 7200, 3600, 60, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(datapoints, order_is_deterministic_but_not_chronological) {
    const auto server = start();
    client c(*server);
    const auto call =
        query("monitoring", "GetMetricStatistics",
              statistics_request(fixed_now - 3600, fixed_now + 60, 60, "Statistics.member.1=Sum"));
    const auto first = c.send(call);
    std::vector<std::string> times;
    for (const auto& node : first.xml.select_nodes("//Datapoints/member/Timestamp")) {
        times.emplace_back(node.node().text().get());
    }
    ASSERT_EQ(times.size(), 6U);
    EXPECT_FALSE(std::is_sorted(times.begin(), times.end()));
    EXPECT_FALSE(std::is_sorted(times.rbegin(), times.rend()));
    EXPECT_EQ(times.front(), "2024-05-15T11:45:00Z") << "oldest first";
    EXPECT_EQ(times[1], "2024-05-15T12:00:00Z") << "then the newest";
    EXPECT_EQ(c.send(call).body.substr(0, 300), first.body.substr(0, 300));
}

TEST(datapoints, aggregate_every_requested_statistic) {
    const auto server = start();
    client c(*server);
    const auto r = c.send(query("monitoring", "GetMetricStatistics",
                                statistics_request(fixed_now - 300, fixed_now, 300,
                                                   "Statistics.member.1=SampleCount&Statistics.member.2=Sum&"
                                                   "Statistics.member.3=Minimum&Statistics.member.4=Maximum&"
                                                   "Statistics.member.5=Average")));
    ASSERT_EQ(r.count("//Datapoints/member"), 1U);
    EXPECT_EQ(r.text("//SampleCount"), "3");
    EXPECT_EQ(r.text("//Sum"), "90");
    EXPECT_EQ(r.text("//Minimum"), "20");
    EXPECT_EQ(r.text("//Maximum"), "40");
    EXPECT_EQ(r.text("//Average"), "30");
    EXPECT_EQ(r.text("//Label"), "CPUUtilization");
}

TEST(datapoints, unit_and_dimensions_must_match) {
    const auto server = start();
    client c(*server);
    const auto base = statistics_request(fixed_now - 600, fixed_now, 60, "Statistics.member.1=Average");
    EXPECT_EQ(c.send(query("monitoring", "GetMetricStatistics", base + "&Unit=Percent"))
                  .count("//Datapoints/member"),
              4U);
    EXPECT_EQ(
        c.send(query("monitoring", "GetMetricStatistics", base + "&Unit=Bytes")).count("//Datapoints/member"),
        0U);
    EXPECT_EQ(
        c.send(query("monitoring", "GetMetricStatistics",
                     base + "&Dimensions.member.2.Name=AutoScalingGroupName&Dimensions.member.2.Value=a"))
            .count("//Datapoints/member"),
        0U);
}

struct statistics_error {
    const char* name;
    std::int64_t from_ago;
    std::int64_t to_ago;
    int period;
    const char* stats;
    const char* code;
};

class statistics_validation : public ::testing::TestWithParam<statistics_error> {};

TEST_P(statistics_validation, rejects) {
    const auto& c = GetParam();
    const auto server = start();
    client cl(*server);
    const auto r = cl.send(query(
        "monitoring", "GetMetricStatistics",
        statistics_request(fixed_now - c.from_ago, fixed_now - c.to_ago, c.period, c.stats, "NetworkIn")));
    if (*c.code == '\0') {
        EXPECT_EQ(r.status, 200) << r.body;
        EXPECT_EQ(r.count("//Datapoints/member"), 1440U);
        return;
    }
    EXPECT_EQ(r.status, 400);
    EXPECT_EQ(r.error_code(), c.code) << r.body;
}

INSTANTIATE_TEST_SUITE_P(
    all, statistics_validation,
    ::testing::Values(
        statistics_error{"period_not_multiple_of_60", 600, 0, 90, "Statistics.member.1=Sum",
                         "InvalidParameterValue"},
        statistics_error{"period_zero", 600, 0, 0, "Statistics.member.1=Sum", "InvalidParameterValue"},
        statistics_error{"exactly_1440_points", 1440LL * 60, 0, 60, "Statistics.member.1=Sum", ""},
        statistics_error{"1441_points", 1441LL * 60, 0, 60, "Statistics.member.1=Sum",
                         "InvalidParameterCombination"},
        statistics_error{"start_after_end", 0, 600, 60, "Statistics.member.1=Sum", "InvalidParameterValue"},
        statistics_error{"unknown_statistic", 600, 0, 60, "Statistics.member.1=Median",
                         "InvalidParameterValue"},
        statistics_error{"no_statistic", 600, 0, 60, "X=1", "InvalidParameterCombination"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- costs ----------------------------------------------------------------------------------------

json cost_body(const std::string& start, const std::string& end, const std::string& extra = {}) {
    return json::parse(R"({"TimePeriod":{"Start":")" + start + R"(","End":")" + end + R"("})" + extra + "}");
}

TEST(costs, one_result_per_calendar_month_touched) {
    const auto server = start();
    client c(*server);
    const auto r = c.send(cost(
        "GetCostAndUsage",
        cost_body("2024-03-01", "2024-05-16",
                  R"(,"Granularity":"MONTHLY","Metrics":["BlendedCost","UnblendedCost","AmortizedCost"])")
            .dump()));
    ASSERT_EQ(r.status, 200) << r.body;
    const auto body = json::parse(r.body);
    const auto& results = body["ResultsByTime"];
    ASSERT_EQ(results.size(), 3U);
    const std::vector<std::tuple<const char*, const char*, const char*, bool>> expected{
        {"2024-03-01", "2024-04-01", "310", false},
        {"2024-04-01", "2024-05-01", "300", false},
        {"2024-05-01", "2024-05-16", "150", true}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [start_date, end_date, amount, estimated] = expected[i];
        EXPECT_EQ(results[i]["TimePeriod"]["Start"], start_date);
        EXPECT_EQ(results[i]["TimePeriod"]["End"], end_date);
        EXPECT_EQ(results[i]["Total"]["BlendedCost"]["Amount"], amount);
        EXPECT_EQ(results[i]["Total"]["BlendedCost"]["Unit"], "USD");
        EXPECT_EQ(results[i]["Total"]["AmortizedCost"]["Amount"], "0")
            << "a metric the scenario does not give";
        EXPECT_EQ(results[i]["Estimated"], estimated);
    }
}

TEST(costs, partial_months_are_prorated_by_day) {
    const auto server = start();
    client c(*server);
    const auto r =
        c.send(cost("GetCostAndUsage", cost_body("2024-04-16", "2024-05-06",
                                                 R"(,"Granularity":"MONTHLY","Metrics":["UnblendedCost"])")
                                           .dump()));
    const auto body = json::parse(r.body);
    EXPECT_EQ(body["ResultsByTime"][0]["Total"]["UnblendedCost"]["Amount"], "150");  // 300 * 15/30
    EXPECT_EQ(body["ResultsByTime"][1]["Total"]["UnblendedCost"]["Amount"], "50");   // 150 * 5/15 days so far
}

TEST(costs, forecast_is_the_daily_rate_times_the_days) {
    const auto server = start();
    client c(*server);
    const auto month =
        c.send(cost("GetCostForecast", cost_body("2024-05-15", "2024-06-01",
                                                 R"(,"Metric":"UNBLENDED_COST","Granularity":"MONTHLY")")
                                           .dump()));
    ASSERT_EQ(month.status, 200) << month.body;
    EXPECT_EQ(json::parse(month.body)["Total"]["Amount"], "170");  // 150 / 15 days * 17 days
    const auto year = c.send(cost(
        "GetCostForecast",
        cost_body("2024-05-15", "2025-01-01", R"(,"Metric":"BLENDED_COST","Granularity":"MONTHLY")").dump()));
    const auto body = json::parse(year.body);
    EXPECT_EQ(body["Total"]["Amount"], "2310");
    EXPECT_EQ(body["Total"]["Unit"], "USD");
    EXPECT_EQ(body["ForecastResultsByTime"].size(), 8U);
}

struct cost_error {
    const char* name;
    const char* operation;
    const char* body;
    const char* code;
    const char* message;  // expected part
};

class cost_validation : public ::testing::TestWithParam<cost_error> {};

TEST_P(cost_validation, rejects_with_json_error) {
    const auto& c = GetParam();
    const auto server = start();
    client cl(*server);
    const auto r = cl.send(cost(c.operation, c.body));
    EXPECT_EQ(r.status, 400);
    EXPECT_EQ(r.error_code(), c.code);
    const auto body = json::parse(r.body);
    EXPECT_EQ(body["__type"], c.code);
    EXPECT_NE(body["message"].get<std::string>().find(c.message), std::string::npos) << r.body;
}

INSTANTIATE_TEST_SUITE_P(
    all, cost_validation,
    ::testing::Values(
        cost_error{
            "same_day", "GetCostAndUsage",
            R"({"TimePeriod":{"Start":"2024-05-01","End":"2024-05-01"},"Granularity":"MONTHLY","Metrics":["BlendedCost"]})",
            "ValidationException", "Start date (and hour) should be before end date"},
        cost_error{
            "invalid_day", "GetCostAndUsage",
            R"({"TimePeriod":{"Start":"2024-02-30","End":"2024-05-01"},"Granularity":"MONTHLY","Metrics":["BlendedCost"]})",
            "ValidationException", "2024-02-30"},
        cost_error{
            "beyond_next_month", "GetCostAndUsage",
            R"({"TimePeriod":{"Start":"2024-05-01","End":"2024-06-02"},"Granularity":"MONTHLY","Metrics":["BlendedCost"]})",
            "ValidationException", "end date past the beginning of next month"},
        cost_error{
            "unknown_metric", "GetCostAndUsage",
            R"({"TimePeriod":{"Start":"2024-05-01","End":"2024-05-02"},"Granularity":"MONTHLY","Metrics":["Cost"]})",
            "ValidationException", "Cost"},
        cost_error{"no_time_period", "GetCostAndUsage",
                   R"({"Granularity":"MONTHLY","Metrics":["BlendedCost"]})", "ValidationException",
                   "timePeriod"},
        cost_error{"not_json", "GetCostAndUsage", "{", "SerializationException", ""},
        cost_error{
            "forecast_starts_yesterday", "GetCostForecast",
            R"({"TimePeriod":{"Start":"2024-05-14","End":"2024-05-31"},"Metric":"BLENDED_COST","Granularity":"MONTHLY"})",
            "ValidationException", "current date"},
        cost_error{
            "forecast_empty_period", "GetCostForecast",
            R"({"TimePeriod":{"Start":"2024-05-31","End":"2024-05-31"},"Metric":"BLENDED_COST","Granularity":"MONTHLY"})",
            "ValidationException", "Requested Start: 2024-05-31 must be before requested End: 2024-05-31"},
        cost_error{
            "forecast_too_far", "GetCostForecast",
            R"({"TimePeriod":{"Start":"2024-05-15","End":"2025-07-01"},"Metric":"BLENDED_COST","Granularity":"MONTHLY"})",
            "ValidationException", "12 months"},
        cost_error{
            "forecast_usage_metric", "GetCostForecast",
            R"({"TimePeriod":{"Start":"2024-05-15","End":"2024-05-31"},"Metric":"USAGE_QUANTITY","Granularity":"MONTHLY"})",
            "ValidationException", "metric"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(costs, unavailable_data_is_answered_as_cost_explorer_does) {
    const auto server = start(R"({"accounts":[{"credentials":[{"access_key":"AKIDEXAMPLE",
        "secret_key":"wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"}],
        "costs":{"months":{"0":{"BlendedCost":5}},"forecast":{"unavailable":true}}}]})");
    client c(*server);
    const auto costs =
        c.send(cost("GetCostAndUsage", cost_body("2024-05-01", "2024-05-16",
                                                 R"(,"Granularity":"MONTHLY","Metrics":["BlendedCost"])")
                                           .dump()));
    EXPECT_EQ(costs.status, 200);
    const auto forecast = c.send(cost(
        "GetCostForecast",
        cost_body("2024-05-15", "2024-05-31", R"(,"Metric":"BLENDED_COST","Granularity":"MONTHLY")").dump()));
    EXPECT_EQ(forecast.status, 400);
    EXPECT_EQ(forecast.error_code(), "DataUnavailableException");
}

}  // namespace
