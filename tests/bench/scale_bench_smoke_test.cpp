// The scale benchmark run at a tiny size, over HTTP and HTTPS, so that it cannot rot unnoticed: it
// completes with every scan answered, and what it counts adds up. Nothing here looks at a time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "bench/module/baseline_runner.h"

namespace {

using orvane::tessel::bench::run_process;

TEST(ScaleBench, CountsAddUpOverHttpAndHttps) {
    const auto path =
        std::filesystem::temp_directory_path() / ("vexa_scale_bench_" + std::to_string(::getpid()));
    // Two sensors of every case, so that every kind and region scans in each run.
    constexpr std::size_t sensors = 28;
    for (const bool tls : {false, true}) {
        SCOPED_TRACE(tls ? "https" : "http");
        std::vector<std::string> command{
            VEXA_SCALE_BENCH, "--threads", "1,3",    "--sensors",  std::to_string(sensors),
            "--seconds",      "0.3",       "--json", path.string()};
        if (tls) {
            // and with the emulator in this process, the other place it can run
            command.emplace_back("--tls");
            command.emplace_back("--emulator-in-process");
        }
        // 0: every sensor created, every scan answered with one successful result.
        const auto run = run_process(command);
        ASSERT_EQ(run.exit_code, 0) << run.output;
        std::ifstream file(path);
        const auto report = nlohmann::json::parse(file);
        std::filesystem::remove(path);

        EXPECT_GT(report.at("memory_per_sensor_bytes").get<double>(), 0.0);
        EXPECT_TRUE(report.at("heap_after_destroy_delta_bytes").is_number());
        const auto& runs = report.at("runs");
        ASSERT_EQ(runs.size(), 2U);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const auto& r = runs.at(i);
            const auto threads = r.at("threads").get<std::size_t>();
            SCOPED_TRACE(threads);
            EXPECT_EQ(threads, i == 0 ? 1U : 3U);
            EXPECT_EQ(r.at("sensors"), sensors);
            const auto scans = r.at("scans_per_second").get<double>();
            ASSERT_GT(scans, 0.0);
            // Every kind makes 2 to 19 requests per scan.
            const auto requests_per_scan = r.at("requests_per_second").get<double>() / scans;
            EXPECT_GE(requests_per_scan, 2.0);
            EXPECT_LE(requests_per_scan, 19.0);
            EXPECT_LE(r.at("p50_wall_us").get<double>(), r.at("p99_wall_us").get<double>());
            // One emulator endpoint: at most one new connection per thread, each with at most one handshake.
            const auto connections = r.at("connections_opened").get<std::size_t>();
            EXPECT_LE(connections, threads);
            EXPECT_LE(r.at("tls_handshakes").get<std::size_t>(), tls ? connections : 0U);
            EXPECT_GE(r.at("clients_created").get<std::size_t>(), 1U);
            const auto share = r.at("lock_wait_share").get<double>();
            EXPECT_GE(share, 0.0);
            EXPECT_LE(share, 1.0);
        }
    }
}

}  // namespace
