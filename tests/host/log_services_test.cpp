#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <barrier>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "host/log_services.h"
#include "tests/support/environment.h"

namespace {

using namespace orvane::tessel::libvexahelper;
namespace fs = std::filesystem;

std::vector<std::string> read_lines(const fs::path& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

struct LogDirectory : ::testing::Test {
    fs::path directory =
        fs::temp_directory_path() / ("vexa_log_test_" + std::to_string(vexa_test::process_id()));

    void SetUp() override {
        fs::remove_all(directory);
        vexa_test::set_environment("VEXA_LOG_DIR", (directory / "nested").string());
    }
    void TearDown() override {
        vexa_test::unset_environment("VEXA_LOG_DIR");
        fs::remove_all(directory);
    }
};

TEST(LogLine, HasUtcMillisecondsLevelAndExactlyOneLineFeed) {
    const auto time = std::chrono::system_clock::time_point(std::chrono::milliseconds(1733417992123));
    EXPECT_EQ(format_log_line(time, 7, "hello"), "2024-12-05 16:59:52.123 [7] hello\n");
    EXPECT_EQ(format_log_line(time, 0, "version is: 1\n"), "2024-12-05 16:59:52.123 [0] version is: 1\n");
    EXPECT_EQ(format_log_line(time, 6, ""), "2024-12-05 16:59:52.123 [6] \n");
    // Whatever a text holds, the entry stays one line of valid UTF-8.
    EXPECT_EQ(format_log_line(time, 7, "a\nb\r\n\xff\n\n"),
              "2024-12-05 16:59:52.123 [7] a\\nb\\r\\n\xEF\xBF\xBD\\n\n");
}

TEST_F(LogDirectory, RuntimeAndSensorLogsGoToTheirFiles) {
    service_container container;
    register_runtime_log(container);
    register_sensor_log(container);
    container.get<orvane::tessel::liblog::log_interface>()->log(7, "module line");
    container.create<sensor_log, std::int32_t>(12)->log(6, "sensor line");
    const auto module = read_lines(directory / "nested" / "vexa_aws.log");
    const auto sensor = read_lines(directory / "nested" / "sensor_12.log");
    ASSERT_EQ(module.size(), 1u);
    EXPECT_THAT(module[0], ::testing::EndsWith(" [7] module line"));
    ASSERT_EQ(sensor.size(), 1u);
    EXPECT_THAT(sensor[0], ::testing::EndsWith(" [6] sensor line"));
}

TEST_F(LogDirectory, ConcurrentWritersNeverInterleaveInsideALine) {
    constexpr int threads = 8;
    constexpr int lines = 300;
    std::barrier start(threads);
    std::vector<std::jthread> writers;
    for (int t = 0; t < threads; ++t) {
        writers.emplace_back([&, t] {
            file_log log(runtime_log_path());  // every writer its own logger on the same file
            start.arrive_and_wait();
            for (int i = 0; i < lines; ++i) {
                log.log(7, "writer " + std::to_string(t) + " line " + std::to_string(i) + " " +
                               std::string(100, 'x'));
            }
        });
    }
    writers.clear();
    const auto written = read_lines(directory / "nested" / "vexa_aws.log");
    ASSERT_EQ(written.size(), static_cast<std::size_t>(threads * lines));
    const std::regex shape(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[7\] writer \d line \d+ x{100}$)");
    for (const auto& line : written) {
        ASSERT_TRUE(std::regex_match(line, shape)) << line;
    }
}

TEST(LogServices, WithoutDirectoryNothingIsWritten) {
    vexa_test::unset_environment("VEXA_LOG_DIR");
    EXPECT_EQ(runtime_log_path(), "");
    file_log log(runtime_log_path());
    log.log(7, "nowhere");  // must not crash or create anything
    EXPECT_EQ(sensor_log(3).path(), "");
}

}  // namespace
