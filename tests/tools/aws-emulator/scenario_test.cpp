// Scenario files and faults in JSON: mistakes are reported with the JSON path and what is wrong.
#include "test_support.hpp"

#include <filesystem>
#include <fstream>

namespace {

using namespace emu_test;

std::string account_with(const std::string& region_body) {
    return R"({"accounts":[{"credentials":[{"access_key":"AK","secret_key":"SK"}],"regions":{"us-east-1":)" +
           region_body + "}}]}";
}

std::string with_top_level(const std::string& member) {
    return R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}]}],)" + member + "}";
}

TEST(scenario_errors, name_the_place_and_the_problem) {
    const std::pair<std::string, const char*> cases[] = {
        // scenario, expected part of what()
        {"{\"accounts\": [", "not valid JSON"},
        {"{}", "at least one entry in \"accounts\""},
        {R"({"accounts":[{"regions":{}}]})", "scenario.accounts[0]: an account needs"},
        {R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}],"regions":{"moon-1":{}}}]})",
         "\"moon-1\" is not a region name"},
        {account_with(R"({"instances":[{"id":"i-1"},{"id":"i-2","state":"runing"}]})"),
         "scenario.accounts[0].regions.us-east-1.instances[1].state: unknown value \"runing\""},
        {account_with(R"({"instances":[{"id":"i-1","tpye":"t3.micro"}]})"),
         "instances[0]: unknown member \"tpye\""},
        {account_with(R"({"volumes":[{"size":8}]})"), "volumes[0]: missing member \"id\""},
        {account_with(R"j({"composite_alarms":[{"name":"c","rule":"ALARM(\"nope\")"}]})j"),
         "names alarm \"nope\" in its rule"},
        {account_with(R"({"composite_alarms":[{"name":"c","rule":"TRUE"}]})"), "rule: names no alarm"},
        {account_with(R"({"db_instances":[{"identifier":"r","replica_of":"src"}]})"), "replica of \"src\""},
        {account_with(R"({"metrics":[{"namespace":"N","name":"M","unit":"Percents"}]})"),
         "unit: unknown value \"Percents\""},
        {account_with(R"({"metrics":[{"namespace":"N","name":"M","datapoints":[{"ago":5}]}]})"),
         "datapoints[0]: a datapoint needs at least one"},
        {account_with(
             R"({"metrics":[{"namespace":"N","name":"M","datapoints":[{"ago":5,"at":"2024-01-01T00:00:00Z","Sum":1}]}]})"),
         "exactly one of \"ago\""},
        {account_with(R"({"instances":[{"id":"i-1"},{"id":"i-1"}]})"), "duplicate instance id \"i-1\""},
        {account_with(R"({"metrics":[{"namespace":"N","name":"M","series":{"Average":1,"Sum":2}}]})"),
         "exactly one of \"Average\" and \"Sum\""},
        {account_with(R"({"instances":[{"id":"i-1","launch_time":"yesterday"}]})"),
         "launch_time: expected an ISO 8601 time"},
        {account_with(
             R"({"metric_alarms":[{"name":"a","namespace":"N","metric":"M","queries":[{"id":"e1","expression":"1"}]}]})"),
         "either \"queries\" or"},
        {R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}]},{"credentials":[{"access_key":"A","secret_key":"T"}]}]})",
         "access key \"A\" belongs to more than one credential"},
        {with_top_level(R"("page_sizes":{"DescribeThings":1})"),
         "page_sizes.DescribeThings: unknown operation"},
        {with_top_level(R"("page_sizes":{"DescribeInstances":0})"), "must be between 1 and"},
        {R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}],"costs":{"months":{"May":{"UnblendedCost":1}}}}]})",
         "month keys are \"YYYY-MM\""},
        {R"({"accounts":[{"credentials":[{"access_key":"A","secret_key":"S"}],"costs":{"months":{"0":{"Unblended":1}}}}]})",
         "unknown cost metric \"Unblended\""},
        {with_top_level(R"("faults":[{"kind":"explode"}])"),
         "scenario.faults[0].kind: unknown fault kind \"explode\""},
        {with_top_level(R"("faults":[{"kind":"http_status"}])"), "needs \"status\""},
        {with_top_level(R"("faults":[{"kind":"throttling","operation":"DescribeEverything"}])"),
         "faults[0].operation: unknown operation \"DescribeEverything\""},
        {with_top_level(R"("faults":[{"kind":"delay"}])"), "kind \"delay\" needs \"delay_ms\""}};
    for (const auto& [json, message] : cases) {
        try {
            (void)emu::scenario::from_json(json);
            ADD_FAILURE() << "accepted: " << json;
        } catch (const emu::scenario_error& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

TEST(scenario_file, errors_carry_the_path_and_the_demo_loads) {
    try {
        (void)emu::scenario::from_file("/nonexistent/scenario.json");
        ADD_FAILURE() << "a missing file loaded";
    } catch (const emu::scenario_error& e) {
        EXPECT_STREQ(e.what(), "/nonexistent/scenario.json: cannot be opened");
    }
    const auto path = std::filesystem::temp_directory_path() / "emulator-bad-scenario.json";
    std::ofstream(path) << R"({"accounts": []})";
    try {
        (void)emu::scenario::from_file(path);
        ADD_FAILURE() << "an empty scenario loaded";
    } catch (const emu::scenario_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind(path.string() + ": scenario: a scenario needs", 0), 0U)
            << e.what();
    }
    std::filesystem::remove(path);
    EXPECT_EQ(emu::scenario::from_file(AWS_EMULATOR_DEMO_SCENARIO).access_keys(),
              std::vector<std::string>{"AKIDEXAMPLE"});
}

TEST(fault_json, parses_every_field) {
    const auto f = emu::parse_fault(R"({"operation":"GetCostForecast","region":"us-east-1","access_key":"AK",
        "kind":"error","status":418,"body":false,"code":"Teapot","message":"short and stout","delay_ms":5,
        "skip_first":2,"times":3})");
    EXPECT_EQ(std::tie(f.operation, f.region, f.access_key, f.code, f.message),
              std::make_tuple("GetCostForecast", "us-east-1", "AK", "Teapot", "short and stout"));
    EXPECT_EQ(f.kind, emu::fault_kind::error);
    EXPECT_EQ(std::make_tuple(f.status, f.with_body, f.delay.count(), f.skip_first, f.times),
              std::make_tuple(418, false, 5L, 2UL, 3UL));
}

}  // namespace
