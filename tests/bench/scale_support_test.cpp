// The pieces of the scale benchmark behind its figures: how a scan result is judged, how the threads'
// tallies become a run's figures, and what the JSON report holds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "bench/module/in_process_host.h"
#include "bench/module/measures.h"
#include "bench/module/scale_report.h"
#include "bench/module/scale_run.h"

namespace {

using namespace orvane::tessel::bench;
using namespace std::chrono_literals;

std::string scan_result(const std::string& code, const std::string& message = "OK") {
    return R"({"type":"sensor_scan_result","sensor_id":7,"response_code":)" + code +
           R"(,"error_code":0,"response_message":{"encoded":")" + message + R"(","text":""},"channels":[]})";
}

TEST(ScanResults, TheResponseCodeIsReadFromTheTextAndAnEscapedKeyInAValueIsNotIt) {
    const std::pair<std::string, int> cases[] = {
        {scan_result("0"), 0},
        {scan_result("3"), 3},
        {scan_result("0", R"(\"response_code\":5)"), 0},
        {scan_result("\"x\""), -1},
        {R"({"type":"dynamic_channel","response_code":0})", -1},
        {R"({"type":"sensor_scan_result","sensor_id":7})", -1},
        {"", -1},
    };
    for (const auto& [message, code] : cases) {
        EXPECT_EQ(response_code(message), code) << message;
    }
}

TEST(ScanTally, KeepsTheFirstFailureAndCountsEveryOne) {
    scan_tally tally;
    tally.count_result(scan_result("0"));
    tally.count_result(scan_result("3", "first"));
    tally.count_failure("second");
    EXPECT_EQ(tally.results, 2U);
    EXPECT_EQ(tally.failed, 2U);
    EXPECT_THAT(tally.first_failure, ::testing::HasSubstr("first"));
}

TEST(Percentile, IsTheNearestRank) {
    const std::vector<double> hundred = [] {
        std::vector<double> values;
        for (int i = 100; i >= 1; --i) {
            values.push_back(i);
        }
        return values;
    }();
    const std::pair<double, double> cases[] = {{0.5, 50.0}, {0.99, 99.0}, {1.0, 100.0}, {0.0, 1.0}};
    for (const auto& [fraction, value] : cases) {
        EXPECT_EQ(percentile(hundred, fraction), value) << fraction;
    }
    EXPECT_EQ(percentile({}, 0.5), 0.0);
    EXPECT_EQ(percentile({4.0, 1.0}, 0.5), 1.0);
}

TEST(ScaleRun, FiguresComeFromEveryThreadAndTheCountersTheRunMoved) {
    schedule_result run;
    run.elapsed = 2s;
    run.threads.resize(2);
    auto& busy = run.threads[0];
    busy.scans = busy.results = 3;
    busy.cpu = 3ms;
    busy.busy = 30ms;
    busy.wall_us = {10'000, 10'000, 10'000};
    auto& failing = run.threads[1];
    failing.scans = failing.results = failing.failed = 1;
    failing.first_failure = "bad";
    failing.cpu = 1ms;
    failing.busy = 10ms;
    failing.wall_us = {10'000};
    run_counters before{
        .requests = 100, .connections = 2, .factory_calls = 10, .lock_waited = 1ms, .emulator_cpu = 2ms};
    run_counters after{
        .requests = 140, .connections = 4, .factory_calls = 13, .lock_waited = 3ms, .emulator_cpu = 6ms};
    const auto figures = summarize_run(run, after - before, 50);
    EXPECT_EQ(std::make_tuple(figures.threads, figures.sensors, figures.scans, figures.failed),
              std::make_tuple(2U, 50U, 4U, 1U));
    EXPECT_EQ(figures.first_failure, "bad");
    EXPECT_DOUBLE_EQ(figures.scans_per_second, 2.0);
    EXPECT_DOUBLE_EQ(figures.requests_per_second, 20.0);
    EXPECT_DOUBLE_EQ(figures.requests_per_scan, 10.0);
    EXPECT_DOUBLE_EQ(figures.cpu_us_per_scan, 1000.0);
    EXPECT_DOUBLE_EQ(figures.lock_wait_share, 0.05);  // 2 ms waited over 40 ms of scanning
    EXPECT_DOUBLE_EQ(figures.emulator_cpu_us_per_request, 100.0);
    EXPECT_EQ(std::make_tuple(figures.counted.connections, figures.counted.factory_calls),
              std::make_tuple(2U, 3U));
}

TEST(ScaleReport, JsonHoldsExactlyTheAgreedKeysAndConsistencyNeedsCleanRuns) {
    scale_report report;
    report.sensors = 4;
    report.before_create.heap_bytes = 1000;
    report.after_create.heap_bytes = 9000;
    report.after_destroy.heap_bytes = 1100;
    scale_run_figures run;
    run.threads = 1;
    run.scans = 5;
    report.runs.push_back(run);
    const auto json = nlohmann::json::parse(scale_report_json(report));
    EXPECT_EQ(json.at("memory_per_sensor_bytes"), 2000.0);
    EXPECT_EQ(json.at("heap_after_destroy_delta_bytes"), 100.0);
    std::vector<std::string> keys;
    for (const auto& [key, value] : json.at("runs").at(0).items()) {
        keys.push_back(key);
    }
    EXPECT_THAT(keys, ::testing::UnorderedElementsAre("threads", "sensors", "scans_per_second",
                                                      "requests_per_second", "cpu_us_per_scan", "p50_wall_us",
                                                      "p99_wall_us", "connections_opened", "tls_handshakes",
                                                      "clients_created", "lock_wait_share"));
    EXPECT_EQ(json.size(), 3U);

    EXPECT_TRUE(report.consistent());
    const std::pair<const char*, void (*)(scale_report&)> spoilers[] = {
        {"a failed scan", [](scale_report& r) { r.runs[0].failed = 1; }},
        {"no scan", [](scale_report& r) { r.runs[0].scans = 0; }},
        {"a refused sensor", [](scale_report& r) { r.created_failed = 1; }},
        {"more handshakes than connections", [](scale_report& r) { r.runs[0].counted.tls_handshakes = 1; }},
    };
    for (const auto& [what, spoil] : spoilers) {
        auto spoilt = report;
        spoil(spoilt);
        EXPECT_FALSE(spoilt.consistent()) << what;
    }
}

}  // namespace
