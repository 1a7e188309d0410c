#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::tessel::probe {

// AWS requests by operation name.
using request_counts = std::map<std::string, std::uint64_t>;

// Counts the requests in the AWS SDK's trace log: the SDK writes one line
// "[TRACE] <time> <tag> [<thread>] Sending <Operation> to <url> attempt <n>" just before it hands a
// request to the transport, so a retry is another request, as AWS bills it.
request_counts count_requests(std::string_view trace);

// While it lives, the module's AWS SDK writes its trace into a folder of the probe's: the SDK starts
// with the module (InitializeModule), reads VEXA_AWS_VERBOSE_LOGGING then, and writes aws_sdk_*.log
// files into the working directory until the module is cleaned up, which flushes them. Restores the
// working directory and the variable when it ends.
class request_trace {
public:
    explicit request_trace(std::filesystem::path folder);
    ~request_trace();
    request_trace(const request_trace&) = delete;
    request_trace& operator=(const request_trace&) = delete;

    // The requests traced since the last call; removes the trace files. Call after CleanupModule.
    request_counts take();

private:
    std::filesystem::path folder_;
    std::filesystem::path previous_directory_;
    std::optional<std::string> previous_verbose_;
};

}  // namespace orvane::tessel::probe
