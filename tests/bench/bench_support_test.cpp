// The pieces of the module benchmark behind the figures its report prints: CPU medians, memory trends,
// connection counts and the comparison of the AWS calls with the baseline's.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "bench/module/connection_tracker.h"
#include "bench/module/measures.h"
#include "bench/module/request_calls.h"

namespace {

using namespace orvane::tessel::bench;
namespace emulator = orvane::tessel::emulator;

TEST(Summary, MedianOfOddAndEvenCounts) {
    const auto odd = summarize({5.0, 1.0, 3.0, 7.0, 9.0});
    EXPECT_EQ(std::make_tuple(odd.count, odd.median, odd.mean, odd.min, odd.max),
              std::make_tuple(5U, 5.0, 5.0, 1.0, 9.0));
    EXPECT_DOUBLE_EQ(summarize({4.0, 1.0, 2.0, 10.0}).median, 3.0);
    EXPECT_EQ(summarize({}).count, 0U);
}

TEST(Trend, IsTheLeastSquaresSlopePerThousandScansAfterWarmUp) {
    std::vector<memory_sample> run;
    std::uint64_t scans = 0;
    for (const std::uint64_t heap : {0, 90000, 100000, 100300, 100100, 100600}) {  // warm-up: 0 to 100 scans
        run.push_back({scans, heap + 1000, heap});
        scans += 100;
    }
    const auto heap = trend(run, memory_reading::heap, 200);
    EXPECT_EQ(heap.samples, 4U);
    ASSERT_TRUE(heap.per_1000_scans.has_value());
    EXPECT_NEAR(*heap.per_1000_scans, 1600.0, 1e-6);  // the end points alone would say 2000
    EXPECT_EQ(std::make_tuple(heap.first, heap.last, heap.max_minus_min),
              std::make_tuple(100000.0, 100600.0, 600.0));
    EXPECT_DOUBLE_EQ(trend(run, memory_reading::resident, 200).first, 101000.0);
    EXPECT_FALSE(trend(run, memory_reading::heap, 500).per_1000_scans.has_value())
        << "one sample has no slope";
}

TEST(Measures, CpuTimeIsTheCallingThreadsAndResidentPagesTheSecondStatmField) {
    // Another thread's work while this one waits for it costs this thread nothing.
    const auto timing = time_call([] {
        std::thread([] {
            volatile double sink = 0.0;
            for (int i = 0; i < 20'000'000; ++i) {
                sink = sink + 1.0;
            }
        }).join();
    });
    EXPECT_LT(timing.cpu_us, timing.wall_us / 2);
    EXPECT_EQ(resident_pages("2851 1062 706 1 0 313 0\n"), 1062U);
    EXPECT_EQ(resident_pages("2851"), std::nullopt);
}

TEST(Connections, EitherEndInTheKernelsTableCountsOnceAndTheListenerNot) {
    // Server port 0xA9BB: its listener, both ends of one connection, the server end of a connection whose
    // client already went (TIME_WAIT, inode 0) and a connection elsewhere.
    const auto entries = parse_tcp_table(
        "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n"
        "   0: 0100007F:A9BB 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 2441 1 0\n"
        "   1: 0100007F:C350 0100007F:A9BB 01 00000000:00000000 00:00000000 00000000 0 0 2442 1 0\n"
        "   2: 0100007F:A9BB 0100007F:C350 01 00000000:00000000 00:00000000 00000000 0 0 2443 1 0\n"
        "   3: 0100007F:A9BB 0100007F:C351 06 00000000:00000000 03:00000998 00000000 0 0 0 3 0\n"
        "   4: 0100007F:C352 0100007F:01BB 01 00000000:00000000 00:00000000 00000000 0 0 2444 1 0\n");
    ASSERT_EQ(entries.size(), 5U);
    connection_tracker tracker(0xA9BB, std::chrono::hours(1));
    tracker.add_table(entries);
    EXPECT_EQ(tracker.opened(), 2U);
}

emulator::request_record call(const char* operation, std::map<std::string, std::string> parameters = {}) {
    emulator::request_record r;
    r.operation = operation;
    r.region = "us-east-1";
    r.parameters = std::move(parameters);
    return r;
}

TEST(AwsCalls, TheFirstDifferenceIsNamedAndMomentsCountByPresenceOnly) {
    const auto metrics = call("ListMetrics", {{"Namespace", "AWS/RDS"}});
    const auto statistics = call(
        "GetMetricStatistics", {{"StartTime", "2024-05-15T11:45:00Z"}, {"EndTime", "2024-05-15T11:55:00Z"}});
    auto later = statistics;
    later.parameters["StartTime"] = "2024-05-15T11:45:00.123456Z";
    auto open_ended = statistics;
    open_ended.parameters.erase("EndTime");
    const std::pair<std::vector<emulator::request_record>, std::string> baselines[] = {
        {{metrics, later}, ""},
        {{metrics, call("DescribeAlarms")},
         "request 2 (GetMetricStatistics): the baseline calls DescribeAlarms"},
        {{metrics, open_ended},
         R"(request 2 (GetMetricStatistics): EndTime is "<moment>" in the module, absent in the baseline)"},
        {{metrics}, "2 requests in the module, 1 in the baseline"}};
    const std::vector module{metrics, statistics};
    for (const auto& [baseline, difference] : baselines) {
        EXPECT_EQ(first_difference(calls_of(module), calls_of(baseline)), difference);
    }
}

}  // namespace
