#pragma once

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Runs the boto3 baseline (or any program) as a child process and reads what it reports.
namespace orvane::tessel::bench {

struct process_result {
    int exit_code = -1;  // 128 + signal number when a signal ended it
    std::string output;  // standard output; standard error goes to ours
};

// Runs program with arguments, its environment being ours plus `environment`, and waits for it.
// Throws std::runtime_error when it cannot be started.
process_result run_process(const std::vector<std::string>& command,
                           const std::map<std::string, std::string>& environment = {});

struct baseline_report {
    std::vector<double> cpu_us;   // per scan: the scanning thread's CPU time
    std::vector<double> wall_us;  // per scan
    std::size_t connections = 0;  // TCP connections boto3 opened
    std::string versions;         // "Python 3.11.2, boto3 1.26.27, botocore 1.29.27"
};

class baseline_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the JSON object the baseline prints; throws baseline_error naming what is wrong.
baseline_report parse_baseline_report(std::string_view output);

}  // namespace orvane::tessel::bench
