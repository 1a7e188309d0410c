// The pieces of the module benchmark that decide what it reports: statistics and memory trends,
// the connection count, the comparison of AWS calls, and running and reading the baseline.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench/module/baseline_runner.h"
#include "bench/module/connection_tracker.h"
#include "bench/module/measures.h"
#include "bench/module/request_calls.h"

namespace {

using namespace orvane::tessel::bench;
using ::testing::HasSubstr;

// ---- statistics ----------------------------------------------------------------------------------

TEST(Summary, MedianOfOddAndEvenCountsAndTheEmptyCase) {
    const auto odd = summarize({5.0, 1.0, 3.0});
    EXPECT_EQ(odd.count, 3u);
    EXPECT_DOUBLE_EQ(odd.median, 3.0);
    EXPECT_DOUBLE_EQ(odd.mean, 3.0);
    EXPECT_DOUBLE_EQ(odd.min, 1.0);
    EXPECT_DOUBLE_EQ(odd.max, 5.0);
    EXPECT_DOUBLE_EQ(summarize({4.0, 1.0, 2.0, 10.0}).median, 3.0);
    const auto empty = summarize({});
    EXPECT_EQ(empty.count, 0u);
    EXPECT_DOUBLE_EQ(empty.median, 0.0);
}

struct slope_case {
    std::vector<double> x;
    std::vector<double> y;
    std::optional<double> expected;

    friend void PrintTo(const slope_case& c, std::ostream* out) { *out << c.x.size() << " points"; }
};

class Slope : public ::testing::TestWithParam<slope_case> {};

TEST_P(Slope, IsTheLeastSquaresLineOrNothing) {
    const auto& c = GetParam();
    const auto result = slope(c.x, c.y);
    ASSERT_EQ(result.has_value(), c.expected.has_value());
    if (c.expected) {
        EXPECT_NEAR(*result, *c.expected, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, Slope,
                         ::testing::Values(slope_case{{0, 1, 2, 3}, {7, 7, 7, 7}, 0.0},     // flat
                                           slope_case{{0, 10, 20}, {100, 150, 200}, 5.0},   // growing
                                           slope_case{{0, 1, 2, 3}, {10, 8, 12, 10}, 0.4},  // noisy
                                           slope_case{{0, 1, 2}, {3, 2, 1}, -1.0},          // shrinking
                                           slope_case{{5}, {1}, std::nullopt},              // one point
                                           slope_case{{2, 2, 2}, {1, 2, 3}, std::nullopt},  // no spread in x
                                           slope_case{{}, {}, std::nullopt}));

std::vector<memory_sample> samples(const std::vector<std::uint64_t>& heap, std::uint64_t every) {
    std::vector<memory_sample> result;
    for (std::size_t i = 0; i < heap.size(); ++i) {
        result.push_back({i * every, 1000 + heap[i], heap[i]});
    }
    return result;
}

TEST(Trend, WarmUpIsLeftOutAndGrowthIsPerThousandScans) {
    // A large step during warm-up, then 2 bytes per scan.
    const auto run = samples({0, 90000, 100000, 100200, 100400, 100600}, 100);
    const auto heap = trend(run, memory_reading::heap, 200);
    EXPECT_EQ(heap.samples, 4u);
    ASSERT_TRUE(heap.per_1000_scans.has_value());
    EXPECT_NEAR(*heap.per_1000_scans, 2000.0, 1e-6);
    EXPECT_DOUBLE_EQ(heap.first, 100000.0);
    EXPECT_DOUBLE_EQ(heap.last, 100600.0);
    EXPECT_DOUBLE_EQ(heap.max_minus_min, 600.0);
    const auto resident = trend(run, memory_reading::resident, 200);
    EXPECT_DOUBLE_EQ(resident.first, 101000.0);
}

TEST(Trend, WithoutSamplesAfterWarmUpThereIsNoSlope) {
    const auto run = samples({10, 20}, 100);
    const auto none = trend(run, memory_reading::heap, 1000);
    EXPECT_EQ(none.samples, 0u);
    EXPECT_FALSE(none.per_1000_scans.has_value());
    const auto one = trend(run, memory_reading::heap, 100);
    EXPECT_EQ(one.samples, 1u);
    EXPECT_FALSE(one.per_1000_scans.has_value());
}

TEST(ResidentPages, SecondFieldOfStatm) {
    EXPECT_EQ(resident_pages("2851 1062 706 1 0 313 0\n"), 1062u);
    EXPECT_EQ(resident_pages("2851"), std::nullopt);
    EXPECT_EQ(resident_pages("2851 x 1"), std::nullopt);
    EXPECT_EQ(resident_pages(""), std::nullopt);
}

TEST(ThreadCpuTime, CountsThisThreadsWorkOnly) {
    const auto timing = time_call([] {
        volatile double sink = 0.0;
        for (int i = 0; i < 2'000'000; ++i) {
            sink = sink + 1.0;
        }
    });
    EXPECT_GT(timing.cpu_us, 0.0);
    const auto sleeping = time_call([] { ::usleep(20'000); });
    EXPECT_GE(sleeping.wall_us, 20'000.0);
    EXPECT_LT(sleeping.cpu_us, sleeping.wall_us);  // sleeping costs no CPU
}

// ---- connections ---------------------------------------------------------------------------------

TEST(TcpTable, ReadsPortsStatesAndInodesAndSkipsTheRest) {
    const std::string text =
        "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n"
        "   0: 0100007F:A9BB 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 2441 1 "
        "0\n"
        "   1: 0100007F:C9BA 0100007F:A9BB 01 00000000:00000000 00:00000000 00000000     0        0 2442 1 "
        "0\n"
        "   2: 0100007F:C9BC 0100007F:A9BB 06 00000000:00000000 03:00000998 00000000     0        0 0 3 0\n"
        "   3: garbage\n"
        "   4: 0100007F:ZZZZ 0100007F:A9BB 01 00000000:00000000 00:00000000 00000000     0        0 7 1 0\n";
    const auto entries = parse_tcp_table(text);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].local_port, 0xA9BB);
    EXPECT_EQ(entries[0].state, tcp_listen);
    EXPECT_EQ(entries[1].remote_port, 0xA9BB);
    EXPECT_EQ(entries[1].inode, 2442u);
    EXPECT_EQ(entries[2].state, 6);  // TIME_WAIT has no inode any more
    EXPECT_EQ(entries[2].inode, 0u);
    EXPECT_TRUE(parse_tcp_table("").empty());
}

TEST(TcpTable, EitherEndOfAConnectionNamesItsClientPort) {
    connection_tracker tracker(0xA9BB, std::chrono::seconds(3600));
    const std::uint16_t server = 0xA9BB;
    tracker.add_table({{server, 0, tcp_listen, 1},  // the listener is no connection
                       {50000, server, 1, 2},       // client end
                       {server, 50000, 1, 3},       // server end of the same connection
                       {server, 50001, 6, 0},       // server end after the client went
                       {50002, 443, 1, 4}});        // elsewhere
    EXPECT_EQ(tracker.opened(), 2u);
}

// A loopback server in the test; sockets are closed by the fixture.
class Connections : public ::testing::Test {
protected:
    void SetUp() override {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_GE(listener_, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::listen(listener_, 16), 0);
        socklen_t length = sizeof address;
        ASSERT_EQ(::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length), 0);
        port_ = ntohs(address.sin_port);
    }

    void TearDown() override {
        for (const int descriptor : open_) {
            ::close(descriptor);
        }
        ::close(listener_);
    }

    // A client connection and the server's end of it.
    std::pair<int, int> connect_client() {
        const int client = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port_);
        EXPECT_EQ(::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        const int server = ::accept(listener_, nullptr, nullptr);
        open_.push_back(client);
        open_.push_back(server);
        return {client, server};
    }

    void close_connection(std::pair<int, int> ends) {
        ::close(ends.first);  // the client closes first and keeps the TIME_WAIT
        ::close(ends.second);
        std::erase(open_, ends.first);
        std::erase(open_, ends.second);
    }

    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::vector<int> open_;
};

TEST_F(Connections, KeptConnectionsAreCountedOnceHoweverOftenSampled) {
    connection_tracker tracker(port_, std::chrono::seconds(3600));
    connect_client();
    connect_client();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tracker.sample_descriptors(), 2u);
    }
    EXPECT_EQ(tracker.opened(), 2u);
}

TEST_F(Connections, AConnectionClosedBetweenSamplesIsFoundInTheTable) {
    connection_tracker tracker(port_, std::chrono::seconds(3600));
    const auto kept = connect_client();
    tracker.sample_descriptors();
    close_connection(connect_client());  // never seen by a descriptor sample
    EXPECT_EQ(tracker.sample_descriptors(), 1u);
    EXPECT_EQ(tracker.opened(), 1u);
    tracker.sweep_table();
    EXPECT_EQ(tracker.opened(), 2u);
    close_connection(kept);
    EXPECT_EQ(tracker.sample_descriptors(), 0u);
    EXPECT_EQ(tracker.opened(), 2u);
}

TEST_F(Connections, WhatExistedBeforeTheTrackerIsNotCounted) {
    const auto earlier = connect_client();
    close_connection(earlier);
    connect_client();
    connection_tracker tracker(port_, std::chrono::seconds(3600));
    tracker.sample();
    EXPECT_EQ(tracker.opened(), 0u);
    connect_client();
    tracker.sample_descriptors();
    EXPECT_EQ(tracker.opened(), 1u);
}

// ---- AWS calls -----------------------------------------------------------------------------------

orvane::tessel::emulator::request_record record(std::string operation, std::map<std::string, std::string> p,
                                                std::string region = "us-east-1") {
    orvane::tessel::emulator::request_record r;
    r.operation = std::move(operation);
    r.region = std::move(region);
    r.parameters = std::move(p);
    return r;
}

std::map<std::string, std::string> statistics() {
    return {{"MetricName", "CPUUtilization"},
            {"Period", "300"},
            {"StartTime", "2024-05-15T11:45:00Z"},
            {"EndTime", "2024-05-15T11:55:00Z"}};
}

TEST(AwsCalls, MomentsOfTheCallCountByPresenceOnly) {
    auto later = statistics();
    later["StartTime"] = "2024-05-15T11:45:00.123456Z";
    later["EndTime"] = "2024-05-15T11:55:00.123456Z";
    const std::vector<orvane::tessel::emulator::request_record> module{
        record("GetMetricStatistics", statistics())};
    const std::vector<orvane::tessel::emulator::request_record> baseline{
        record("GetMetricStatistics", later)};
    EXPECT_EQ(first_difference(calls_of(module), calls_of(baseline)), "");
    EXPECT_EQ(calls_of(module)[0].parameters.at("StartTime"), moment_marker);
}

struct difference_case {
    std::string name;
    std::vector<orvane::tessel::emulator::request_record> baseline;
    std::string expected;  // a part of the difference; empty: none

    friend void PrintTo(const difference_case& c, std::ostream* out) { *out << c.name; }
};

class AwsCallDifference : public ::testing::TestWithParam<difference_case> {};

TEST_P(AwsCallDifference, NamesTheFirstRequestThatDiffers) {
    const std::vector<orvane::tessel::emulator::request_record> module{
        record("ListMetrics", {{"Namespace", "AWS/RDS"}}), record("GetMetricStatistics", statistics())};
    const auto difference = first_difference(calls_of(module), calls_of(GetParam().baseline));
    if (GetParam().expected.empty()) {
        EXPECT_EQ(difference, "");
    } else {
        EXPECT_THAT(difference, HasSubstr(GetParam().expected));
    }
}

std::map<std::string, std::string> with(std::map<std::string, std::string> p, const std::string& key,
                                        std::optional<std::string> value) {
    if (value) {
        p[key] = *value;
    } else {
        p.erase(key);
    }
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AwsCallDifference,
    ::testing::Values(
        difference_case{
            "same",
            {record("ListMetrics", {{"Namespace", "AWS/RDS"}}), record("GetMetricStatistics", statistics())},
            ""},
        difference_case{"other_operation",
                        {record("ListMetrics", {{"Namespace", "AWS/RDS"}}), record("DescribeAlarms", {})},
                        "request 2 (GetMetricStatistics): the baseline calls DescribeAlarms"},
        difference_case{"other_region",
                        {record("ListMetrics", {{"Namespace", "AWS/RDS"}}, "eu-west-1"),
                         record("GetMetricStatistics", statistics())},
                        "request 1 (ListMetrics): region us-east-1 in the module, eu-west-1 in the baseline"},
        difference_case{"other_value",
                        {record("ListMetrics", {{"Namespace", "AWS/RDS"}}),
                         record("GetMetricStatistics", with(statistics(), "Period", "60"))},
                        R"(Period is "300" in the module, "60" in the baseline)"},
        difference_case{"missing_parameter",
                        {record("ListMetrics", {{"Namespace", "AWS/RDS"}}),
                         record("GetMetricStatistics", with(statistics(), "EndTime", std::nullopt))},
                        R"(EndTime is "<moment>" in the module, absent in the baseline)"},
        difference_case{"extra_parameter",
                        {record("ListMetrics", {{"Namespace", "AWS/RDS"}, {"MaxRecords", "500"}}),
                         record("GetMetricStatistics", statistics())},
                        R"(MaxRecords is absent in the module, "500" in the baseline)"},
        difference_case{"fewer_requests",
                        {record("ListMetrics", {{"Namespace", "AWS/RDS"}})},
                        "2 requests in the module, 1 in the baseline"},
        difference_case{"no_requests", {}, "2 requests in the module, 0 in the baseline"}),
    [](const auto& info) { return info.param.name; });

// ---- the baseline process ------------------------------------------------------------------------

struct process_case {
    std::string name;
    std::vector<std::string> command;
    std::map<std::string, std::string> environment;
    int exit_code;
    std::string output;

    friend void PrintTo(const process_case& c, std::ostream* out) { *out << c.name; }
};

class Process : public ::testing::TestWithParam<process_case> {};

TEST_P(Process, ExitCodeAndStandardOutput) {
    const auto& c = GetParam();
    const auto result = run_process(c.command, c.environment);
    EXPECT_EQ(result.exit_code, c.exit_code);
    EXPECT_EQ(result.output, c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Process,
    ::testing::Values(process_case{"output", {"/bin/sh", "-c", "printf 'a\\nb'"}, {}, 0, "a\nb"},
                      process_case{"exit_code", {"/bin/sh", "-c", "printf x; exit 3"}, {}, 3, "x"},
                      process_case{"added_variable",
                                   {"/bin/sh", "-c", "printf %s \"$VEXA_BENCH_PROBE\""},
                                   {{"VEXA_BENCH_PROBE", "set"}},
                                   0,
                                   "set"},
                      process_case{"replaced_variable",
                                   {"/bin/sh", "-c", "printf %s \"$HOME\""},
                                   {{"HOME", "/nowhere"}},
                                   0,
                                   "/nowhere"},
                      process_case{"signal", {"/bin/sh", "-c", "kill -TERM $$"}, {}, 128 + 15, ""}),
    [](const auto& info) { return info.param.name; });

TEST(Process, OutputLargerThanThePipeIsReadWhole) {
    const auto result = run_process({"/bin/sh", "-c", "head -c 300000 /dev/zero"});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.output.size(), 300000u);
}

TEST(Process, AProgramThatDoesNotExistCannotBeStarted) {
    EXPECT_THROW(run_process({"/nonexistent/python3"}), std::runtime_error);
    EXPECT_THROW(run_process({}), std::runtime_error);
}

TEST(BaselineReport, ReadsTimesConnectionsAndVersions) {
    const auto report = parse_baseline_report(
        R"({"kind": "ec2", "cpu_us": [900.5, 1000], "wall_us": [2000, 2100.25], "connections": 1,)"
        R"( "python": "3.11.2", "boto3": "1.26.27", "botocore": "1.29.27"})"
        "\n");
    EXPECT_EQ(report.cpu_us, (std::vector<double>{900.5, 1000}));
    EXPECT_EQ(report.wall_us, (std::vector<double>{2000, 2100.25}));
    EXPECT_EQ(report.connections, 1u);
    EXPECT_EQ(report.versions, "Python 3.11.2, boto3 1.26.27, botocore 1.29.27");
}

class BadBaselineReport : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(BadBaselineReport, SaysWhatIsWrong) {
    const auto& [output, expected] = GetParam();
    try {
        parse_baseline_report(output);
        FAIL() << "accepted " << output;
    } catch (const baseline_error& error) {
        EXPECT_THAT(error.what(), HasSubstr(expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadBaselineReport,
    ::testing::Values(
        std::pair<std::string, std::string>{"", "no JSON object"},
        std::pair<std::string, std::string>{"Traceback (most recent call last):", "no JSON object"},
        std::pair<std::string, std::string>{"[1, 2]", "no JSON object"},
        std::pair<std::string, std::string>{R"({"wall_us": []})", R"(no list "cpu_us")"},
        std::pair<std::string, std::string>{R"({"cpu_us": [1, "x"], "wall_us": [1, 2]})",
                                            R"("cpu_us" holds "x")"},
        std::pair<std::string, std::string>{R"({"cpu_us": [1], "wall_us": [1, 2]})", "differ in length"},
        std::pair<std::string, std::string>{R"({"cpu_us": [1], "wall_us": [1], "connections": "many"})",
                                            "report"}));

}  // namespace
