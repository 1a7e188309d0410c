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
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

std::vector<std::string> kinds() {
    return {"EC2", "EBS", "RDS", "ELB application", "ELB network", "Metric alarm", "Composite alarm", "Cost"};
}

struct smoke_case {
    std::string name;
    std::vector<std::string> arguments;
    bool baseline;
    std::size_t long_scans;

    friend void PrintTo(const smoke_case& c, std::ostream* out) { *out << c.name; }
};

class ModuleBench : public ::testing::TestWithParam<smoke_case> {
protected:
    void SetUp() override {
        if (GetParam().baseline && run_process({"/usr/bin/python3", "-c", "import boto3"}).exit_code != 0) {
            GTEST_SKIP() << "/usr/bin/python3 without boto3 (scripts/setup.sh installs it)";
        }
    }
    void TearDown() override { fs::remove(report_path); }

    fs::path report_path =
        fs::temp_directory_path() / ("vexa_module_bench_" + std::to_string(::getpid()) + ".json");
};

TEST_P(ModuleBench, ReportsEveryKindAndReusesConnections) {
    const auto& c = GetParam();
    std::vector<std::string> command{VEXA_MODULE_BENCH,  "--scans", "3",      "--warm-up",         "1",
                                     "--baseline-scans", "2",       "--json", report_path.string()};
    command.insert(command.end(), c.arguments.begin(), c.arguments.end());
    const auto run = run_process(command);
    ASSERT_EQ(run.exit_code, 0) << run.output;
    for (const auto& kind : kinds()) {
        EXPECT_THAT(run.output, HasSubstr(kind + " "));
    }

    std::ifstream file(report_path);
    const auto report = nlohmann::json::parse(file);
    EXPECT_TRUE(report.at("consistent").get<bool>());
    EXPECT_FALSE(report.at("machine").at("build").get<std::string>().empty());
    std::vector<std::string> labels;
    for (const auto& kind : report.at("kinds")) {
        const auto label = kind.at("label").get<std::string>();
        labels.push_back(label);
        const auto& module = kind.at("module");
        EXPECT_EQ(module.at("scans"), 3) << label;
        EXPECT_EQ(module.at("failed_scans"), 0) << label << ": " << module.at("first_failure");
        EXPECT_GE(module.at("requests_per_scan").get<double>(), 2.0) << label;
        EXPECT_GT(module.at("cpu_us").at("median").get<double>(), 0.0) << label;
        const auto& baseline = kind.at("baseline");
        EXPECT_EQ(baseline.at("ran").get<bool>(), c.baseline) << label << ": " << baseline.at("error");
        if (c.baseline) {
            EXPECT_TRUE(baseline.at("calls_match").get<bool>()) << label << ": " << baseline.at("difference");
            EXPECT_EQ(baseline.at("requests_per_scan"), module.at("requests_per_scan")) << label;
            EXPECT_TRUE(kind.at("cpu_ratio").is_number()) << label;
        }
    }
    EXPECT_THAT(labels, ElementsAreArray(kinds()));

    const auto& totals = report.at("totals");
    // Connections are kept between scans: far fewer than scans, let alone requests.
    EXPECT_LT(totals.at("connections_opened").get<std::size_t>(), totals.at("scans").get<std::size_t>() / 4);
    if (c.long_scans == 0) {
        EXPECT_FALSE(report.contains("long_run"));
        return;
    }
    const auto& long_run = report.at("long_run");
    EXPECT_EQ(long_run.at("module").at("scans"), c.long_scans);
    EXPECT_EQ(long_run.at("module").at("failed_scans"), 0);
    EXPECT_EQ(long_run.at("samples_scans_resident_heap").size(), c.long_scans / 10 + 1);
    EXPECT_LE(long_run.at("module").at("connections_opened").get<std::size_t>(), 1u);
    EXPECT_EQ(long_run.at("connections_open_at_end"), 1);
    EXPECT_TRUE(long_run.at("heap").at("slope_bytes_per_1000_scans").is_number());
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ModuleBench,
    ::testing::Values(
        smoke_case{"http_with_baseline", {"--long-scans", "40", "--sample-every", "10"}, true, 40},
        smoke_case{"https_module_only",
                   {"--tls", "--no-baseline", "--long-scans", "20", "--sample-every", "10"},
                   false,
                   20},
        smoke_case{"no_long_run", {"--no-baseline", "--long-scans", "0"}, false, 0}),
    [](const auto& info) { return info.param.name; });

TEST(ModuleBenchUsage, RefusesWhatItCannotRun) {
    EXPECT_NE(run_process({VEXA_MODULE_BENCH, "--scans", "many"}).exit_code, 0);
    EXPECT_NE(run_process({VEXA_MODULE_BENCH, "--no-baseline", "--long-scans", "0", "--scenario",
                           "/nonexistent/scenario.json"})
                  .exit_code,
              0);
    const auto broken = run_process(
        {VEXA_MODULE_BENCH, "--scans", "1", "--long-scans", "0", "--python", "/nonexistent/python3"});
    EXPECT_EQ(broken.exit_code, 1);  // measured, but the baseline is missing
    EXPECT_THAT(broken.output, HasSubstr("baseline: cannot run /nonexistent/python3"));
}

}  // namespace
