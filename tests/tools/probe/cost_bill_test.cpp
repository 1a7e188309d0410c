// The bill follows from the measured counts, the intervals and the prices: a month is 30 days, the
// free tier is capped at its allowance and shown apart, and what the table does not price is named.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "tools/probe/cost_bill.h"
#include "tools/probe/usage_error.h"

namespace {

using namespace orvane::tessel::probe;
using json = nlohmann::ordered_json;

price_table prices(std::uint64_t free_requests = 1'000'000) {
    price_table table;
    table.source = "test";
    table.as_of = "2025-01";
    table.usd_per_request = {{"GetMetricStatistics", 0.00001},
                             {"ListMetrics", 0.00001},
                             {"DescribeAlarms", 0},
                             {"GetCostAndUsage", 0.01}};
    table.free_requests_per_month = free_requests;
    table.free_tier_operations = {"GetMetricStatistics", "ListMetrics"};
    return table;
}

struct line_case {
    const char* name;
    std::int64_t interval_s;
    request_counts requests;
    std::uint64_t scans_per_month;
    std::uint64_t requests_per_month;
    double usd_per_month;
};

TEST(CostBill, EachSensorsLineFollowsFromCountsIntervalAndPrices) {
    const line_case cases[] = {
        {"an EC2 sensor at 300 s", 300, {{"GetMetricStatistics", 11}}, 8'640, 95'040, 0.9504},
        {"the same at 60 s", 60, {{"GetMetricStatistics", 11}}, 43'200, 475'200, 4.752},
        {"an interval that does not divide the month",
         7,
         {{"GetMetricStatistics", 1}},
         370'285,
         370'285,
         3.70285},
        {"an interval longer than a month", 3'000'000, {{"GetMetricStatistics", 1}}, 0, 0, 0},
        {"free calls count but cost nothing", 300, {{"DescribeAlarms", 2}}, 8'640, 17'280, 0},
        {"the cost sensor", 21'600, {{"GetCostAndUsage", 2}}, 120, 240, 2.4},
        {"several operations",
         300,
         {{"ListMetrics", 1}, {"GetMetricStatistics", 18}},
         8'640,
         164'160,
         1.6416},
        {"a scan that sent nothing", 300, {}, 8'640, 0, 0},
    };
    for (const auto& test : cases) {
        const auto bill = make_bill({{"kind", "r", test.interval_s, test.requests, ""}}, prices());
        ASSERT_EQ(bill.sensors.size(), 1U) << test.name;
        const auto& line = bill.sensors.front();
        EXPECT_EQ(line.scans_per_month, test.scans_per_month) << test.name;
        EXPECT_EQ(line.requests_per_month, test.requests_per_month) << test.name;
        EXPECT_DOUBLE_EQ(line.usd_per_month, test.usd_per_month) << test.name;
        EXPECT_DOUBLE_EQ(bill.total_usd, test.usd_per_month) << test.name;
    }
}

TEST(CostBill, TheFreeTierCoversAtMostItsAllowanceAndIsKeptApart) {
    const std::vector<measured_scan> scans{{"ec2_sensor", "a", 300, {{"GetMetricStatistics", 11}}, ""},
                                           {"awscost", "account", 21'600, {{"GetCostAndUsage", 2}}, ""}};
    struct allowance_case {
        std::uint64_t allowance;
        std::uint64_t covered;
        double covered_usd;
    } const cases[] = {{1'000'000, 95'040, 0.9504}, {50'000, 50'000, 0.5}, {0, 0, 0}};
    for (const auto& test : cases) {
        const auto bill = make_bill(scans, prices(test.allowance));
        EXPECT_EQ(bill.free_tier_requests, test.covered) << test.allowance;
        EXPECT_DOUBLE_EQ(bill.free_tier_usd, test.covered_usd) << test.allowance;
        EXPECT_DOUBLE_EQ(bill.total_usd, 0.9504 + 2.4) << "the total is before the free tier";
        EXPECT_EQ(bill.requests_per_month, 95'040U + 240U);
    }
}

TEST(CostBill, OperationsWithoutAPriceAreCountedAndNamed) {
    const auto bill =
        make_bill({{"k", "r", 300, {{"GetMetricData", 1}, {"GetMetricStatistics", 1}}, ""}}, prices());
    EXPECT_EQ(bill.unpriced, std::set<std::string>{"GetMetricData"});
    EXPECT_EQ(bill.sensors.front().requests_per_month, 2U * 8'640U);
    EXPECT_DOUBLE_EQ(bill.total_usd, 0.0864);
    std::ostringstream table;
    print_bill(table, bill, prices());
    EXPECT_NE(table.str().find("No price for GetMetricData"), std::string::npos);
}

TEST(CostBill, ResourceNamesFromAwsCannotSteerTheTerminal) {
    const std::string hostile = std::string("us-east-1/\x1b]0;owned\x07") + "alarm";
    const auto bill = make_bill({{"alarm_sensor", hostile, 300, {}, "\x1b[2Jfailed"}}, prices());
    std::ostringstream table;
    print_bill(table, bill, prices());
    EXPECT_EQ(table.str().find('\x1b'), std::string::npos);
    EXPECT_NE(table.str().find("us-east-1/\\u001b]0;owned\\u0007alarm"), std::string::npos) << table.str();
}

TEST(CostBill, JsonHasExactlyTheMembersOperatorsScriptAgainst) {
    const auto bill =
        make_bill({{"ec2_sensor", "us-east-1/i-1", 300, {{"GetMetricStatistics", 11}}, ""}}, prices());
    const auto expected = json::parse(R"({"sensors": [{"kind": "ec2_sensor", "resource": "us-east-1/i-1",
        "interval_s": 300, "requests_per_scan": {"GetMetricStatistics": 11}, "scans_per_month": 8640,
        "requests_per_month": 95040, "usd_per_month": 0.9504}], "total_usd_per_month": 0.9504})");
    EXPECT_EQ(bill_json(bill).dump(), expected.dump());
}

TEST(PriceTable, AFileOfAnotherFormIsAUsageError) {
    const char* bad[] = {
        R"([])",
        R"({"as_of": "x", "usd_per_request": {}})",
        R"({"source": 1, "as_of": "x", "usd_per_request": {}})",
        R"({"source": "s", "as_of": "x"})",
        R"({"source": "s", "as_of": "x", "usd_per_request": []})",
        R"({"source": "s", "as_of": "x", "usd_per_request": {"ListMetrics": -0.01}})",
        R"({"source": "s", "as_of": "x", "usd_per_request": {"ListMetrics": "0.01"}})",
        R"({"source": "s", "as_of": "x", "usd_per_request": {}, "free_tier": {"operations": []}})",
        R"({"source": "s", "as_of": "x", "usd_per_request": {}, "free_tier": {"requests_per_month": -1, "operations": []}})",
        R"({"source": "s", "as_of": "x", "usd_per_request": {}, "free_tier": {"requests_per_month": 1, "operations": [1]}})",
    };
    for (const char* table : bad) {
        EXPECT_THROW(price_table::from_json(json::parse(table)), usage_error) << table;
    }
    EXPECT_NO_THROW(
        price_table::from_json(json::parse(R"({"source": "s", "as_of": "x", "usd_per_request": {}})")));
}

}  // namespace
