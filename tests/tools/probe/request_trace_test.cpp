// Requests are counted from the AWS SDK's trace: one "Sending <Operation> to <url> attempt <n>" line per
// HTTP request, nothing else, whatever else the trace holds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/environment.h"
#include "tools/probe/module_log.h"
#include "tools/probe/request_trace.h"

namespace {

using namespace orvane::tessel::probe;

constexpr const char* line = "[TRACE] 2026-12-06 01:25:38.630 AWSClient [1399] ";

std::string sending(const std::string& operation, int attempt) {
    return std::string(line) + "Sending " + operation +
           " to https://monitoring.us-east-1.amazonaws.com/ attempt " + std::to_string(attempt) + "\n";
}

struct trace_case {
    const char* name;
    std::string trace;
    request_counts expected;
};

TEST(RequestTrace, CountsOneRequestPerSendingLine) {
    const trace_case cases[] = {
        {"empty", "", {}},
        {"one of each",
         sending("GetMetricStatistics", 1) + sending("ListMetrics", 1),
         {{"GetMetricStatistics", 1}, {"ListMetrics", 1}}},
        {"a retry is a request",
         sending("GetMetricStatistics", 1) + sending("GetMetricStatistics", 2),
         {{"GetMetricStatistics", 2}}},
        {"headers between the lines",
         sending("DescribeAlarms", 1) + "amz-sdk-request: attempt=1\ncontent-type: text/xml\n" +
             std::string(line) + "Request successful returning.\n" + sending("DescribeAlarms", 1),
         {{"DescribeAlarms", 2}}},
        {"CRLF line ends",
         "[TRACE] t AWSClient [1] Sending GetCostAndUsage to https://ce attempt 1\r\n",
         {{"GetCostAndUsage", 1}}},
        {"no line end after the last",
         "[TRACE] t AWSClient [1] Sending ListMetrics to u attempt 3",
         {{"ListMetrics", 1}}},
        {"a header value that looks like one", "x-note: [TRACE] x] Sending Fake to u attempt 1\n", {}},
        {"another level", "[DEBUG] t AWSClient [1] Sending GetMetricStatistics to u attempt 1\n", {}},
        {"no operation", "[TRACE] t AWSClient [1] Sending  to u attempt 1\n", {}},
        {"not an operation name", "[TRACE] t AWSClient [1] Sending Get-Metric to u attempt 1\n", {}},
        {"no url", "[TRACE] t AWSClient [1] Sending GetMetricStatistics attempt 1\n", {}},
        {"no attempt number", "[TRACE] t AWSClient [1] Sending GetMetricStatistics to u attempt \n", {}},
        {"text after the attempt",
         "[TRACE] t AWSClient [1] Sending GetMetricStatistics to u attempt 1 of 3\n",
         {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(count_requests(test.trace), test.expected) << test.name;
    }
}

TEST(RequestTrace, TakesEveryTraceFileOfTheFolderAndRestoresTheProcess) {
    const private_folder scratch;
    const auto folder = scratch.path() / "trace";
    const auto before = std::filesystem::current_path();
    vexa_test::set_environment("VEXA_AWS_VERBOSE_LOGGING", "kept");
    {
        request_trace trace(folder);
        EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder));
        EXPECT_STREQ(std::getenv("VEXA_AWS_VERBOSE_LOGGING"), "1");  // NOLINT(concurrency-mt-unsafe)
        // The SDK starts a new file every hour; a scan may span two.
        std::ofstream(folder / "aws_sdk_2026-12-06-01.log") << sending("GetMetricStatistics", 1);
        std::ofstream(folder / "aws_sdk_2026-12-06-02.log")
            << sending("GetMetricStatistics", 1) << sending("ListMetrics", 1);
        std::ofstream(folder / "notes.log") << sending("DescribeAlarms", 1);
        EXPECT_EQ(trace.take(), (request_counts{{"GetMetricStatistics", 2}, {"ListMetrics", 1}}));
        EXPECT_EQ(trace.take(), request_counts{});
        EXPECT_TRUE(std::filesystem::exists(folder / "notes.log"));
    }
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_STREQ(std::getenv("VEXA_AWS_VERBOSE_LOGGING"), "kept");  // NOLINT(concurrency-mt-unsafe)
    vexa_test::unset_environment("VEXA_AWS_VERBOSE_LOGGING");
}

}  // namespace
