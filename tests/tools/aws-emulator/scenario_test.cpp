// Scenario files: mistakes are reported with the JSON path and what is wrong; good files load with the
// documented defaults.
#include "test_support.hpp"

#include <filesystem>
#include <fstream>

namespace {

using namespace emu_test;

struct bad_case {
    const char* name;
    std::string json;
    const char* message;  // expected part of what()
};

std::string account_with(const std::string& region_body) {
    return R"({"accounts":[{"credentials":[{"access_key":"AK","secret_key":"SK"}],"regions":{"us-east-1":)" +
           region_body + "}}]}";
}

class scenario_errors : public ::testing::TestWithParam<bad_case> {};

TEST_P(scenario_errors, name_the_place_and_the_problem) {
    const auto& c = GetParam();
    try {
        (void)emu::scenario::from_json(c.json);
        FAIL() << "accepted: " << c.json;
    } catch (const emu::scenario_error& e) {
        EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    all, scenario_errors,
    ::testing::Values(
        bad_case{"not_json", "{\"accounts\": [", "not valid JSON"},
        bad_case{"no_accounts", "{}", "at least one entry in \"accounts\""},
        bad_case{"no_credentials", R"({"accounts":[{"regions":{}}]})",
                 "scenario.accounts[0]: an account needs"},
        bad_case{
            "bad_region",
            R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}],"regions":{"moon-1":{}}}]})",
            "\"moon-1\" is not a region name"},
        bad_case{"typo_in_state",
                 account_with(R"({"instances":[{"id":"i-1"},{"id":"i-2","state":"runing"}]})"),
                 "scenario.accounts[0].regions.us-east-1.instances[1].state: unknown value \"runing\""},
        bad_case{"unknown_member", account_with(R"({"instances":[{"id":"i-1","tpye":"t3.micro"}]})"),
                 "instances[0]: unknown member \"tpye\""},
        bad_case{"missing_id", account_with(R"({"volumes":[{"size":8}]})"),
                 "volumes[0]: missing member \"id\""},
        bad_case{"unknown_child",
                 account_with(R"j({"composite_alarms":[{"name":"c","rule":"ALARM(\"nope\")"}]})j"),
                 "names alarm \"nope\" in its rule"},
        bad_case{"rule_without_alarm", account_with(R"({"composite_alarms":[{"name":"c","rule":"TRUE"}]})"),
                 "rule: names no alarm"},
        bad_case{"unknown_replica_source",
                 account_with(R"({"db_instances":[{"identifier":"r","replica_of":"src"}]})"),
                 "replica of \"src\""},
        bad_case{"unknown_unit",
                 account_with(R"({"metrics":[{"namespace":"N","name":"M","unit":"Percents"}]})"),
                 "unit: unknown value \"Percents\""},
        bad_case{"datapoint_without_values",
                 account_with(R"({"metrics":[{"namespace":"N","name":"M","datapoints":[{"ago":5}]}]})"),
                 "datapoints[0]: a datapoint needs at least one"},
        bad_case{
            "datapoint_with_two_times",
            account_with(
                R"({"metrics":[{"namespace":"N","name":"M","datapoints":[{"ago":5,"at":"2024-01-01T00:00:00Z","Sum":1}]}]})"),
            "exactly one of \"ago\""},
        bad_case{"duplicate_instance", account_with(R"({"instances":[{"id":"i-1"},{"id":"i-1"}]})"),
                 "duplicate instance id \"i-1\""},
        bad_case{"series_with_two_means",
                 account_with(R"({"metrics":[{"namespace":"N","name":"M","series":{"Average":1,"Sum":2}}]})"),
                 "exactly one of \"Average\" and \"Sum\""},
        bad_case{"bad_time", account_with(R"({"instances":[{"id":"i-1","launch_time":"yesterday"}]})"),
                 "launch_time: expected an ISO 8601 time"},
        bad_case{
            "alarm_with_query_and_metric",
            account_with(
                R"({"metric_alarms":[{"name":"a","namespace":"N","metric":"M","queries":[{"id":"e1","expression":"1"}]}]})"),
            "either \"queries\" or"},
        bad_case{
            "shared_access_key",
            R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}]},{"credentials":[{"access_key":"A","secret_key":"T"}]}]})",
            "access key \"A\" belongs to more than one credential"},
        bad_case{
            "unknown_page_size_operation",
            R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}]}],"page_sizes":{"DescribeThings":1}})",
            "page_sizes.DescribeThings: unknown operation"},
        bad_case{
            "zero_page_size",
            R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}]}],"page_sizes":{"DescribeInstances":0}})",
            "must be between 1 and"},
        bad_case{
            "bad_cost_month",
            R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}],"costs":{"months":{"May":{"UnblendedCost":1}}}}]})",
            "month keys are \"YYYY-MM\""},
        bad_case{
            "bad_cost_metric",
            R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}],"costs":{"months":{"0":{"Unblended":1}}}}]})",
            "unknown cost metric \"Unblended\""},
        bad_case{
            "bad_fault_kind",
            R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}]}],"faults":[{"kind":"explode"}]})",
            "scenario.faults[0].kind: unknown fault kind \"explode\""},
        bad_case{
            "status_fault_without_status",
            R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}]}],"faults":[{"kind":"http_status"}]})",
            "needs \"status\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(scenario_file, missing_file_names_the_path) {
    try {
        (void)emu::scenario::from_file("/nonexistent/scenario.json");
        FAIL();
    } catch (const emu::scenario_error& e) {
        EXPECT_STREQ(e.what(), "/nonexistent/scenario.json: cannot be opened");
    }
}

TEST(scenario_file, errors_in_a_file_carry_its_path) {
    const auto path = std::filesystem::temp_directory_path() / "emulator-bad-scenario.json";
    std::ofstream(path) << R"({"accounts": []})";
    try {
        (void)emu::scenario::from_file(path);
        FAIL();
    } catch (const emu::scenario_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind(path.string() + ": scenario: a scenario needs", 0), 0U)
            << e.what();
    }
    std::filesystem::remove(path);
}

TEST(scenario_file, demo_scenario_loads) {
    const auto s = emu::scenario::from_file(AWS_EMULATOR_DEMO_SCENARIO);
    EXPECT_EQ(s.access_keys(), std::vector<std::string>{"AKIDEXAMPLE"});
}

TEST(fault_json, parses_every_field) {
    const auto f = emu::parse_fault(R"({"operation":"GetCostForecast","region":"us-east-1","access_key":"AK",
        "kind":"error","status":418,"body":false,"code":"Teapot","message":"short and stout","delay_ms":5,
        "skip_first":2,"times":3})");
    EXPECT_EQ(f.operation, "GetCostForecast");
    EXPECT_EQ(f.kind, emu::fault_kind::error);
    EXPECT_EQ(f.status, 418);
    EXPECT_FALSE(f.with_body);
    EXPECT_EQ(f.code, "Teapot");
    EXPECT_EQ(f.delay.count(), 5);
    EXPECT_EQ(f.skip_first, 2U);
    EXPECT_EQ(f.times, 3U);
    EXPECT_THROW((void)emu::parse_fault(R"({"kind":"throttling","operation":"DescribeEverything"})"),
                 emu::scenario_error);
    EXPECT_THROW((void)emu::parse_fault(R"({"kind":"delay"})"), emu::scenario_error);
}

}  // namespace
