// Every AWS operation the module calls, under every kind of failure AWS and networks produce, end to end
// through the exported functions against one emulator. Each cell runs the sensor, meta-scan or check that
// uses the operation with credentials of its own, so that faults aim at one cell and cells run at once,
// and must end in the result its kind gives for what the SDK makes of the fault, within the SDK's retry
// budget, with no secret in any message or log line.
#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/client/RetryStrategy.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "aws/clients/client_configuration.h"
#include "aws_emulator/emulator.hpp"
#include "tests/aws/sensors/sensor_settings.h"
#include "tests/support/settings_buffer.h"
#include "tests/support/strict_json.h"
#include "vexa_module.h"

namespace {

using namespace orvane::tessel;
namespace emu = orvane::tessel::emulator;
using kind = emu::fault_kind;
using nlohmann::json;

// --- what the SDK makes of each fault ------------------------------------------------------------------

// What a client wrapper gets back from the SDK, and so which exception the module raises.
enum class seen { denied, unauthenticated, limited, failed, empty, answered };

enum class wire { ec2, query, json };

struct reaction {
    seen what;
    long attempts;  // requests per call: 1, or the default strategy's whole budget
};

constexpr long budget = 11;
// The default strategy's sleeps before retries 1 to 10: 0, 50, 100, ..., 12,800 ms.
constexpr long budget_waits_ms = 25'550;

struct sdk_row {
    kind fault;
    std::array<reaction, 3> by_wire;  // ec2, query, json
};

// EC2 answers wrong credentials with AuthFailure and throttles with RequestLimitExceeded, names the
// SDK does not know: an unknown error, not retried. Network failures are retried; bodies that do not
// parse are not.
// clang-format off
constexpr std::array<sdk_row, 11> sdk_reactions{{
    {kind::access_denied,          {{{seen::denied, 1},      {seen::denied, 1},          {seen::denied, 1}}}},
    {kind::authentication_failure, {{{seen::failed, 1},      {seen::unauthenticated, 1}, {seen::unauthenticated, 1}}}},
    {kind::throttling,             {{{seen::failed, 1},      {seen::failed, budget},     {seen::limited, budget}}}},
    {kind::internal_error,         {{{seen::failed, budget}, {seen::failed, budget},     {seen::failed, budget}}}},
    {kind::timeout,                {{{seen::failed, budget}, {seen::failed, budget},     {seen::failed, budget}}}},
    {kind::reset_mid_body,         {{{seen::failed, budget}, {seen::failed, budget},     {seen::failed, budget}}}},
    {kind::truncated_body,         {{{seen::failed, budget}, {seen::failed, budget},     {seen::failed, budget}}}},
    {kind::garbage_body,           {{{seen::failed, 1},      {seen::failed, 1},          {seen::failed, 1}}}},
    {kind::empty_body,             {{{seen::empty, 1},       {seen::empty, 1},           {seen::empty, 1}}}},
    {kind::wrong_content_type,     {{{seen::answered, 1},    {seen::answered, 1},        {seen::answered, 1}}}},
    {kind::foreign_protocol,       {{{seen::failed, 1},      {seen::failed, 1},          {seen::failed, 1}}}},
}};
// clang-format on

// --- what the module then reports ----------------------------------------------------------------------

enum class entry { sensor, metascan, check, none };

struct result {
    entry to;
    int code;                  // response_code of a scan, response of a meta-scan, 1/0 for a check
    std::string_view message;  // a message key, a plain text, or "*": any plain text; "": not checked
    int rows;                  // entries of a meta-scan answered with 0; -1: not checked
};

constexpr result scanned(std::string_view text) {
    return {entry::sensor, 0, text, -1};
}
constexpr result scan_failed(std::string_view key) {
    return {entry::sensor, 3, key, -1};
}
constexpr result listed(int rows) {
    return {entry::metascan, 0, "", rows};
}
constexpr result refused(std::string_view message) {
    return {entry::metascan, 5, message, -1};
}
constexpr result passed{entry::check, 1, "", -1};
constexpr result not_passed{entry::check, 0, "", -1};
constexpr result never{entry::none, 0, "", -1};  // the operation's protocol never yields this

constexpr std::string_view generic = "libi18n.error.generic";
constexpr std::string_view denied = "error.access_denied";
constexpr std::string_view unauthenticated = "error.authentication_failed";
constexpr std::string_view limited = "error.limit_exceeded";
constexpr std::string_view no_regions = "error.no_regions_accessible";
constexpr std::string_view no_volume = "error.no_volume_found";
constexpr std::string_view no_data = "error.no_datapoints_found";
constexpr std::string_view no_alarm = "error.no_alarm_found";
constexpr std::string_view no_region_listed = "Maximum must be greater than 0.";
constexpr std::string_view costs_text = "*";  // "Costs of API calls per sensor scan: $..."

struct matrix_row {
    std::string_view operation;
    wire protocol;
    std::string_view consumer;      // a row of consumers() below
    std::size_t skip_first;         // calls of the operation that pass before the fault
    std::array<result, 6> results;  // by seen: denied, unauthenticated, limited, failed, empty, answered
};

// A region that refuses a listing is skipped, and no region left is "no regions accessible"; the
// region list itself is not guarded. Checks only say yes or no. The cost sensor's forecasts keep the
// scan going for the module's own exceptions only.
// clang-format off
constexpr std::array<matrix_row, 23> matrix{{
    // operation              wire         consumer                  skip  denied               unauthenticated               limited               failed                empty                      answered
    {"DescribeRegions",       wire::ec2,   "ec2_metascan",           0,   {refused(denied),     never,                        never,                refused(generic),     refused(no_region_listed), listed(1)}},
    {"DescribeRegions",       wire::ec2,   "ec2_check",              0,   {not_passed,          never,                        never,                not_passed,           not_passed,                passed}},
    {"DescribeInstances",     wire::ec2,   "ec2_metascan",           0,   {refused(no_regions), never,                        never,                refused(generic),     listed(0),                 listed(1)}},
    {"DescribeInstances",     wire::ec2,   "ec2_check",              0,   {not_passed,          never,                        never,                not_passed,           passed,                    passed}},
    {"DescribeVolumes",       wire::ec2,   "ebs_sensor",             0,   {scan_failed(denied), never,                        never,                scan_failed(generic), scan_failed(no_volume),    scanned("OK")}},
    {"DescribeVolumes",       wire::ec2,   "ebs_metascan",           0,   {refused(no_regions), never,                        never,                refused(generic),     listed(0),                 listed(1)}},
    {"DescribeVolumes",       wire::ec2,   "ebs_check",              0,   {not_passed,          never,                        never,                not_passed,           passed,                    passed}},
    {"GetMetricStatistics",   wire::query, "ec2_sensor",             0,   {scan_failed(denied), scan_failed(unauthenticated), never,                scan_failed(generic), scan_failed(no_data),      scanned("OK")}},
    {"GetMetricStatistics",   wire::query, "ebs_sensor",             0,   {scan_failed(denied), scan_failed(unauthenticated), never,                scan_failed(generic), scanned("OK"),             scanned("OK")}},
    {"GetMetricStatistics",   wire::query, "metric_alarm_sensor",    0,   {scan_failed(denied), scan_failed(unauthenticated), never,                scan_failed(generic), scanned("OK"),             scanned("OK")}},
    {"ListMetrics",           wire::query, "rds_sensor",             0,   {scan_failed(denied), scan_failed(unauthenticated), never,                scan_failed(generic), scan_failed(no_data),      scanned("OK")}},
    {"ListMetrics",           wire::query, "elb_sensor",             0,   {scan_failed(denied), scan_failed(unauthenticated), never,                scan_failed(generic), scanned("OK"),             scanned("OK")}},
    {"DescribeAlarms",        wire::query, "metric_alarm_sensor",    0,   {scan_failed(denied), scan_failed(unauthenticated), never,                scan_failed(generic), scan_failed(no_alarm),     scanned("OK")}},
    {"DescribeAlarms",        wire::query, "composite_alarm_sensor", 1,   {scan_failed(denied), scan_failed(unauthenticated), never,                scan_failed(generic), scanned("OK"),             scanned("OK")}},
    {"DescribeAlarms",        wire::query, "alarm_metascan",         0,   {refused(no_regions), refused(unauthenticated),     never,                refused(generic),     listed(0),                 listed(2)}},
    {"DescribeAlarms",        wire::query, "alarm_check",            0,   {not_passed,          not_passed,                   never,                not_passed,           passed,                    passed}},
    {"DescribeLoadBalancers", wire::query, "elb_metascan",           0,   {refused(no_regions), refused(unauthenticated),     never,                refused(generic),     listed(0),                 listed(1)}},
    {"DescribeLoadBalancers", wire::query, "elb_check",              0,   {not_passed,          not_passed,                   never,                not_passed,           passed,                    passed}},
    {"DescribeDBInstances",   wire::query, "rds_metascan",           0,   {refused(no_regions), refused(unauthenticated),     never,                refused(generic),     listed(0),                 listed(1)}},
    {"DescribeDBInstances",   wire::query, "rds_check",              0,   {not_passed,          not_passed,                   never,                not_passed,           passed,                    passed}},
    {"GetCostAndUsage",       wire::json,  "awscost",                0,   {scan_failed(denied), scan_failed(unauthenticated), scan_failed(limited), scan_failed(generic), scanned(costs_text),       scanned(costs_text)}},
    {"GetCostAndUsage",       wire::json,  "awscost_check",          0,   {not_passed,          not_passed,                   not_passed,           not_passed,           passed,                    passed}},
    {"GetCostForecast",       wire::json,  "awscost_forecasts",      0,   {scanned(denied),     scanned(unauthenticated),     scanned(limited),     scan_failed(generic), scan_failed(generic),      scanned(costs_text)}},
}};
// clang-format on

// --- the account every cell sees -----------------------------------------------------------------------

// One region with one resource of each kind, the metrics the sensors read, and a month of costs.
constexpr const char* account = R"json({
  "id": "123456789012",
  "regions": {"us-east-1": {
    "instances": [{"id": "i-0a1b2c3d4e5f60001", "name": "web"}],
    "volumes": [{"id": "vol-0a1b2c3d4e5f70001", "name": "web-data"}],
    "load_balancers": [{"arn": "arn:aws:elasticloadbalancing:us-east-1:123456789012:loadbalancer/app/web-alb/50dc6c495c0c9188"}],
    "db_instances": [{"identifier": "orders-db"}],
    "metric_alarms": [{"name": "web-cpu-high", "namespace": "AWS/EC2", "metric": "CPUUtilization",
                       "dimensions": {"InstanceId": "i-0a1b2c3d4e5f60001"}, "state": "ALARM"}],
    "composite_alarms": [{"name": "web-degraded", "rule": "ALARM(\"web-cpu-high\")"}],
    "metrics": [
      {"namespace": "AWS/EC2", "name": "CPUUtilization", "dimensions": {"InstanceId": "i-0a1b2c3d4e5f60001"},
       "unit": "Percent", "series": {"every": 60, "count": 60, "Average": 40}},
      {"namespace": "AWS/RDS", "name": "CPUUtilization", "dimensions": {"DBInstanceIdentifier": "orders-db"},
       "unit": "Percent", "series": {"every": 60, "count": 60, "Average": 20}},
      {"namespace": "AWS/ApplicationELB", "name": "ProcessedBytes",
       "dimensions": {"LoadBalancer": "app/web-alb/50dc6c495c0c9188"}, "unit": "Bytes",
       "series": {"every": 60, "count": 60, "Sum": 1000}}
    ]}},
  "costs": {"currency": "USD", "months": {"-1": {"BlendedCost": 300}, "0": {"BlendedCost": 120}}}
})json";

struct consumer {
    std::string_view name;
    std::string_view kind;
    std::map<std::string, std::string> resource;  // a meta-scan row, for sensors
};

// clang-format off
const std::vector<consumer>& consumers() {
    static const std::vector<consumer> all{
        {"ec2_sensor",             "ec2_sensor",   {{"id", "i-0a1b2c3d4e5f60001"}, {"name", "web"}}},
        {"ebs_sensor",             "ebs_sensor",   {{"id", "vol-0a1b2c3d4e5f70001"}, {"name", "web-data"}, {"size", "8"}, {"type", "gp3"},
                                                    {"state", "available"}, {"attachment_information", ""}}},
        {"rds_sensor",             "rds_sensor",   {{"identifier", "orders-db"}, {"engine", "mysql"}}},
        {"elb_sensor",             "elb_sensor",   {{"id", "app/web-alb/50dc6c495c0c9188"}, {"name", "web-alb"}, {"type", "application"}}},
        {"metric_alarm_sensor",    "alarm_sensor", {{"name", "web-cpu-high"}, {"type", "Metric"}, {"description", ""}}},
        {"composite_alarm_sensor", "alarm_sensor", {{"name", "web-degraded"}, {"type", "Composite"}, {"description", ""}}},
        {"awscost",                "awscost",      {}},
        {"awscost_forecasts",      "awscost",      {}},
    };
    return all;
}
// clang-format on

test_support::settings_buffer settings_of(std::string_view name) {
    for (const auto& c : consumers()) {
        if (c.name == name) {
            auto settings = test_support::sensor_settings(std::string(c.kind), c.resource);
            return name == "awscost_forecasts"
                       ? settings.set("cost_specific_section.cost_forecast_group.forecast_additional",
                                      "enabled")
                       : settings;
        }
    }
    return test_support::settings_buffer(std::string(name));  // checks and meta-scans
}

entry entry_of(std::string_view kind) {
    if (kind.ends_with("_metascan")) {
        return entry::metascan;
    }
    return kind.ends_with("_check") ? entry::check : entry::sensor;
}

// Every secret of a cell ends in this; no message and no log line may hold any part of it.
constexpr std::string_view secret_tail = "Qx7+Vb2Lp9Rk4Wz8Ny3Ht6Jc1Md5Gs0F";

// --- the SDK's retry budget, observed ------------------------------------------------------------------

// One SDK call that failed at least once: its failed attempts and the sleeps the SDK chose.
struct call_record {
    long failures = 0;
    long waits_ms = 0;
};

struct cell_budget {
    bool short_timeout = false;
    std::vector<call_record> calls;  // touched only by the cell's own thread
};

thread_local cell_budget* current_budget = nullptr;

// Leaves every decision to the SDK's own strategy and records it; only the sleep itself is skipped.
class recorded_strategy final : public Aws::Client::RetryStrategy {
public:
    recorded_strategy(std::shared_ptr<Aws::Client::RetryStrategy> sdk, cell_budget* record)
        : sdk_(std::move(sdk)), record_(record) {}

    bool ShouldRetry(const Aws::Client::AWSError<Aws::Client::CoreErrors>& error,
                     long attempted) const override {
        const bool retry = sdk_->ShouldRetry(error, attempted);
        if (attempted == 0 || record_->calls.empty()) {
            record_->calls.emplace_back();
        }
        auto& call = record_->calls.back();
        call.failures = attempted + 1;
        call.waits_ms += retry ? sdk_->CalculateDelayBeforeNextRetry(error, attempted) : 0;
        return retry;
    }
    long CalculateDelayBeforeNextRetry(const Aws::Client::AWSError<Aws::Client::CoreErrors>&,
                                       long) const override {
        return 0;
    }
    bool HasSendToken() override { return sdk_->HasSendToken(); }
    long GetMaxAttempts() const override { return sdk_->GetMaxAttempts(); }
    const char* GetStrategyName() const override { return sdk_->GetStrategyName(); }

private:
    std::shared_ptr<Aws::Client::RetryStrategy> sdk_;
    cell_budget* record_;
};

// Clients are made on the thread of the call that uses them, so the cell running there is known.
void observe_budget(Aws::Client::ClientConfiguration& configuration) {
    if (current_budget == nullptr) {
        return;
    }
    auto sdk = configuration.retryStrategy ? configuration.retryStrategy
                                           : std::make_shared<Aws::Client::DefaultRetryStrategy>();
    configuration.retryStrategy = std::make_shared<recorded_strategy>(std::move(sdk), current_budget);
    if (current_budget->short_timeout) {
        // The SDK's own timeout is curl's low-speed window over the last seconds, which a request's
        // upload keeps open for about eight seconds; eleven of them are too long to wait.
        configuration.httpRequestTimeoutMs = 1000;
    }
}

// --- the host ------------------------------------------------------------------------------------------

std::mutex inbox_mutex;
std::vector<std::string> raw_messages;
std::vector<json> messages;

void on_message(std::uint64_t, const std::uint8_t* buffer, std::uint32_t length) {
    std::string raw(reinterpret_cast<const char*>(buffer), length);
    auto message = test_support::decode_message(raw);
    const std::lock_guard lock(inbox_mutex);
    messages.push_back(std::move(message));
    raw_messages.push_back(std::move(raw));
}

// --- one cell ------------------------------------------------------------------------------------------

struct cell {
    const matrix_row* row;
    entry to;
    kind fault;
    reaction sdk;
    result expected;
    std::int32_t id;
    std::string access_key;
    std::string secret;
    std::vector<std::int32_t> codes{};  // of the exported functions called
    cell_budget budget{};

    std::string label() const {
        return std::string(row->operation) + " x " + std::string(emu::to_string(fault)) + " -> " +
               std::string(row->consumer);
    }
};

void run(cell& c) {
    const auto settings = settings_of(c.row->consumer)
                              .set("awscredentials.credentials_group.access_key", c.access_key)
                              .secure("awscredentials.credentials_group.secret_key", c.secret)
                              .json();
    const auto* data = reinterpret_cast<const std::uint8_t*>(settings.data());
    const auto size = static_cast<std::uint32_t>(settings.size());
    c.budget.short_timeout = c.fault == kind::timeout;
    current_budget = &c.budget;
    switch (c.to) {
        case entry::sensor:
            c.codes = {CreateSensorInstance(c.id, data, size), ExecuteSensorScan(c.id),
                       DestroySensorInstance(c.id)};
            break;
        case entry::metascan:
            c.codes = {ExecuteMetaScan(c.id, 7, data, size)};
            break;
        case entry::check:
            c.codes = {ExecuteCheck(c.id, data, size)};
            break;
        case entry::none:
            break;
    }
    current_budget = nullptr;
}

// A message key, a plain text, or any plain text ("*").
bool says(const json& message, std::string_view expected) {
    const auto encoded = message.at("encoded").get<std::string>();
    if (expected == "*") {
        return !encoded.starts_with("#:");
    }
    if (encoded.starts_with("#:")) {
        return encoded.substr(2, encoded.find('[') - 2) == expected;
    }
    return encoded == expected;
}

std::vector<json> results_of(const cell& c) {
    static constexpr std::array<std::pair<entry, std::pair<const char*, const char*>>, 3> shapes{{
        {entry::sensor, {"sensor_scan_result", "sensor_id"}},
        {entry::metascan, {"meta_scan_result", "id"}},
        {entry::check, {"check_result", "id"}},
    }};
    const auto& [type, id_member] = std::find_if(shapes.begin(), shapes.end(), [&](const auto& shape) {
                                        return shape.first == c.to;
                                    })->second;
    std::vector<json> found;
    const std::lock_guard lock(inbox_mutex);
    for (const auto& message : messages) {
        if (message.at("type") == type && message.at(id_member) == c.id) {
            found.push_back(message);
        }
    }
    return found;
}

void expect_result(const cell& c) {
    SCOPED_TRACE(c.label());
    ASSERT_EQ(c.expected.to, c.to) << "the table gives no result for this cell";
    EXPECT_EQ(c.codes, std::vector<std::int32_t>(c.codes.size(), 0));
    const auto found = results_of(c);
    ASSERT_EQ(found.size(), 1U);
    const auto& got = found.front();
    const auto& want = c.expected;
    switch (want.to) {
        case entry::sensor:
            EXPECT_EQ(got.at("response_code"), want.code);
            EXPECT_TRUE(says(got.at("response_message"), want.message)) << got.at("response_message").dump();
            break;
        case entry::metascan:
            EXPECT_EQ(got.at("response"), want.code);
            EXPECT_TRUE(want.message.empty() || says(got.at("message"), want.message))
                << got.at("message").dump();
            EXPECT_TRUE(want.rows < 0 || got.at("entries").size() == static_cast<std::size_t>(want.rows))
                << got.at("entries").size();
            break;
        case entry::check:
            EXPECT_EQ(got.at("success").get<bool>(), want.code == 1);
            break;
        case entry::none:
            break;
    }
}

// The failing call was tried exactly as often as the SDK's strategy decides, and the module made no
// second call: it adds no retries of its own.
void expect_within_budget(const cell& c, std::size_t faulted_requests) {
    SCOPED_TRACE(c.label());
    const bool fails = c.sdk.what != seen::empty && c.sdk.what != seen::answered;
    if (!fails) {
        EXPECT_GE(faulted_requests, 1U);
        EXPECT_TRUE(c.budget.calls.empty());
        return;
    }
    EXPECT_EQ(faulted_requests, static_cast<std::size_t>(c.sdk.attempts));
    // A body that does not parse fails after the transfer succeeded: the strategy is never asked.
    call_record worst;
    for (const auto& call : c.budget.calls) {
        worst = call.failures > worst.failures ? call : worst;
    }
    EXPECT_LE(worst.failures, c.sdk.attempts);
    if (c.sdk.attempts == budget) {
        EXPECT_EQ(worst.failures, budget);
        EXPECT_EQ(worst.waits_ms, budget_waits_ms);
    } else {
        EXPECT_EQ(worst.waits_ms, 0);
    }
}

// --- the matrix ----------------------------------------------------------------------------------------

// The last day of the year leaves no forecast period, so no forecast request is made that day.
bool forecasts_requested_today() {
    const auto now = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    const std::chrono::year_month_day today{now};
    return !(today.month() == std::chrono::December && today.day() == std::chrono::day{31});
}

std::vector<cell> cells() {
    std::vector<cell> all;
    for (const auto& row : matrix) {
        if (row.operation == "GetCostForecast" && !forecasts_requested_today()) {
            continue;
        }
        for (const auto& sdk : sdk_reactions) {
            const auto reaction = sdk.by_wire.at(static_cast<std::size_t>(row.protocol));
            const auto index = static_cast<std::int32_t>(all.size());
            std::ostringstream key;
            key << "AKIDFAULTMATRIX" << std::setw(5) << std::setfill('0') << index;
            all.push_back({&row, entry_of(row.consumer), sdk.fault, reaction,
                           row.results.at(static_cast<std::size_t>(reaction.what)), 1000 + index, key.str(),
                           "fm" + std::to_string(index) + "/" + std::string(secret_tail)});
        }
    }
    // The held requests take longest: they start first and wait side by side.
    std::stable_partition(all.begin(), all.end(), [](const cell& c) { return c.fault == kind::timeout; });
    return all;
}

bool reached_fault(const emu::server& aws, const cell& c) {
    const auto log = aws.requests();
    return std::any_of(log.begin(), log.end(), [&](const emu::request_record& r) {
        return r.access_key == c.access_key && !r.fault.empty();
    });
}

// Runs every cell. The held ones start one at a time, each once the one before has reached its fault:
// the requests before a fault get the same short timeout and must not queue behind other work.
void run_all(const emu::server& aws, std::vector<cell>& all) {
    const auto held = static_cast<std::size_t>(
        std::count_if(all.begin(), all.end(), [](const cell& c) { return c.fault == kind::timeout; }));
    std::vector<std::thread> workers;
    std::deque<std::atomic<bool>> finished;
    for (std::size_t i = 0; i < held; ++i) {
        auto& done = finished.emplace_back(false);
        workers.emplace_back([&c = all[i], &done] {
            run(c);
            done = true;
        });
        while (!done && !reached_fault(aws, all[i])) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    std::atomic<std::size_t> next{held};
    for (int t = 0; t < 16; ++t) {
        workers.emplace_back([&] {
            for (auto i = next++; i < all.size(); i = next++) {
                run(all[i]);
            }
        });
    }
    for (auto& w : workers) {
        w.join();
    }
}

std::string scenario_for(const std::vector<cell>& all) {
    auto acct = json::parse(account);
    for (const auto& c : all) {
        acct["credentials"].push_back({{"access_key", c.access_key}, {"secret_key", c.secret}});
    }
    return json{{"accounts", json::array({acct})}}.dump();
}

std::string read_all(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Pieces of the planted secrets long enough to be no accident.
std::vector<std::string_view> secret_pieces() {
    std::vector<std::string_view> pieces;
    for (std::size_t at = 0; at + 8 <= secret_tail.size(); ++at) {
        pieces.push_back(secret_tail.substr(at, 8));
    }
    return pieces;
}

void expect_no_secret(const std::string& where, const std::string& text) {
    for (const auto piece : secret_pieces()) {
        EXPECT_EQ(text.find(piece), std::string::npos) << where << " holds part of a secret: " << piece;
    }
}

// The module's logs, and the SDK's trace logs, which go to the working directory.
struct log_directory {
    log_directory() {
        std::filesystem::create_directories(path);
        std::filesystem::current_path(path);
    }
    ~log_directory() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(path);
    }
    log_directory(const log_directory&) = delete;
    log_directory& operator=(const log_directory&) = delete;

    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vexa_fault_matrix_" + std::to_string(::getpid()));
    std::filesystem::path previous = std::filesystem::current_path();
};

TEST(FaultMatrix, EveryOperationUnderEveryFaultEndsAsItsKindSays) {
    auto all = cells();
    const log_directory logs;
    emu::server_options options;
    options.threads = 128;  // a held request keeps its worker until the client gives up
    emu::server aws{emu::scenario::from_json(scenario_for(all)), std::move(options)};
    aws.start();
    for (const auto& c : all) {
        aws.add_fault({.operation = std::string(c.row->operation),
                       .access_key = c.access_key,
                       .kind = c.fault,
                       .skip_first = c.row->skip_first});
    }
    // No module call runs yet.
    // NOLINTBEGIN(concurrency-mt-unsafe)
    ::setenv("AWS_ENDPOINT_URL", aws.base_url().c_str(), 1);
    ::setenv("AWS_EC2_METADATA_DISABLED", "true", 1);
    ::setenv("AWS_DEFAULT_REGION", "us-east-1", 1);
    ::setenv("VEXA_LOG_DIR", logs.path.c_str(), 1);
    ::setenv("VEXA_AWS_VERBOSE_LOGGING", "1", 1);
    // NOLINTEND(concurrency-mt-unsafe)
    aws::set_configuration_adjuster(&observe_budget);
    ASSERT_EQ(InitializeModule(9, &on_message), 0);

    run_all(aws, all);
    CleanupModule();  // also writes out the SDK's trace logs
    aws::set_configuration_adjuster(nullptr);

    std::map<std::string, std::size_t> faulted;
    for (const auto& r : aws.requests()) {
        faulted[r.access_key] += r.fault.empty() ? 0 : 1;
    }
    for (const auto& c : all) {
        expect_result(c);
        expect_within_budget(c, faulted[c.access_key]);
    }
    for (const auto& raw : raw_messages) {
        expect_no_secret("a message", raw);
    }
    for (const auto& file : std::filesystem::directory_iterator(logs.path)) {
        expect_no_secret(file.path().filename().string(), read_all(file.path()));
    }
}

}  // namespace
