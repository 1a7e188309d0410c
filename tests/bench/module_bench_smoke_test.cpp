// The module benchmark run with tiny counts, so that it cannot rot unnoticed: it completes, every
// sensor kind scans without failure, the baseline makes the module's calls, connections are reused.
// Nothing here looks at a time.
#include <gmock/gmock.h>
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
using ::testing::HasSubstr;

TEST(ModuleBench, ReportsEveryKindAndReusesConnections) {
    const std::vector<std::string> kinds = {
        "EC2", "EBS", "RDS", "ELB application", "ELB network", "Metric alarm", "Composite alarm", "Cost"};
    const bool baseline = run_process({"/usr/bin/python3", "-c", "import boto3"}).exit_code == 0;
    const auto path =
        std::filesystem::temp_directory_path() / ("vexa_module_bench_" + std::to_string(::getpid()));
    // Over HTTP against boto3 with a long run; over HTTPS alone.
    for (const auto& [tls, long_scans] : {std::pair{false, 40}, std::pair{true, 0}}) {
        SCOPED_TRACE(tls ? "https" : "http");
        std::vector<std::string> command{VEXA_MODULE_BENCH,  "--scans", "3", "--warm-up", "1",
                                         "--baseline-scans", "2"};
        command.insert(command.end(), {"--long-scans", std::to_string(long_scans), "--sample-every", "10"});
        command.insert(command.end(), {"--json", path.string()});
        if (tls) {
            command.emplace_back("--tls");
        }
        if (tls || !baseline) {
            command.emplace_back("--no-baseline");
        }
        const auto run = run_process(command);
        ASSERT_EQ(run.exit_code, 0) << run.output;
        std::ifstream file(path);
        const auto report = nlohmann::json::parse(file);
        std::filesystem::remove(path);
        EXPECT_TRUE(report.at("consistent").get<bool>());
        ASSERT_EQ(report.at("kinds").size(), kinds.size());
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            const auto& kind = report.at("kinds").at(i);
            const auto& module = kind.at("module");
            SCOPED_TRACE(kinds[i]);
            EXPECT_EQ(kind.at("label"), kinds[i]);
            EXPECT_THAT(run.output, HasSubstr(kinds[i] + " "));  // in the printed table too
            EXPECT_EQ(module.at("scans"), 3);
            EXPECT_EQ(module.at("failed_scans"), 0) << module.at("first_failure");
            EXPECT_GE(module.at("requests_per_scan").get<double>(), 2.0);
            EXPECT_GT(module.at("cpu_us").at("median").get<double>(), 0.0);
            const auto& compared = kind.at("baseline");
            EXPECT_EQ(compared.at("ran").get<bool>(), baseline && !tls) << compared.at("error");
            if (compared.at("ran").get<bool>()) {
                EXPECT_TRUE(compared.at("calls_match").get<bool>()) << compared.at("difference");
                EXPECT_TRUE(kind.at("cpu_ratio").is_number());
            }
        }
        // Connections are kept between scans: at least one, far fewer than scans.
        const auto opened = report.at("totals").at("connections_opened").get<std::size_t>();
        EXPECT_GE(opened, 1U);
        EXPECT_LT(opened, report.at("totals").at("scans").get<std::size_t>() / 4);
        EXPECT_EQ(report.contains("long_run"), long_scans > 0);
        if (long_scans > 0) {
            const auto& long_run = report.at("long_run");
            EXPECT_EQ(long_run.at("module").at("scans"), long_scans);
            EXPECT_EQ(long_run.at("module").at("failed_scans"), 0);
            EXPECT_EQ(long_run.at("samples_scans_resident_heap").size(), long_scans / 10 + 1);
            EXPECT_LE(long_run.at("module").at("connections_opened").get<std::size_t>(), 1U);
            EXPECT_EQ(long_run.at("connections_open_at_end"), 1);
        }
    }
}

TEST(ModuleBench, AMissingBaselineIsReportedAfterMeasuring) {
    const auto broken = run_process(
        {VEXA_MODULE_BENCH, "--scans", "1", "--long-scans", "0", "--python", "/nonexistent/python3"});
    EXPECT_EQ(broken.exit_code, 1);
    EXPECT_THAT(broken.output, HasSubstr("baseline: cannot run /nonexistent/python3"));
}

}  // namespace
