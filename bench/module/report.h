#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "bench/module/measures.h"

// What one run of the module benchmark measured, and how it is shown: a readable report and JSON.
namespace orvane::tessel::bench {

struct run_settings {
    std::size_t scans = 0;
    std::size_t warm_up = 0;
    std::size_t baseline_scans = 0;
    std::size_t long_scans = 0;
    std::size_t sample_every = 0;
    bool tls = false;
    bool sensor_logs = false;
};

struct module_figures {
    std::size_t scans = 0;
    std::size_t failed = 0;
    std::string first_failure;  // the first failed scan's result, or why it could not run
    summary cpu_us;
    summary wall_us;
    std::uint64_t requests = 0;  // AWS requests of the measured scans
    double requests_per_scan = 0.0;
    std::size_t connections = 0;  // opened during this kind's scans

    void set_requests(std::uint64_t count) {
        requests = count;
        requests_per_scan = scans == 0 ? 0.0 : static_cast<double>(count) / static_cast<double>(scans);
    }
};

struct baseline_figures {
    bool ran = false;
    std::string error;       // why it did not run or its report was unreadable
    std::string difference;  // first difference between its calls and the module's; empty: same
    summary cpu_us;
    summary wall_us;
    double requests_per_scan = 0.0;
    std::size_t connections = 0;
};

struct kind_result {
    std::string label;
    module_figures module;
    baseline_figures baseline;

    // boto3's median CPU time per scan over the module's; nothing without both.
    [[nodiscard]] std::optional<double> cpu_ratio() const;
};

struct long_run_result {
    std::string label;
    module_figures module;
    summary first_tenth_cpu_us;
    summary last_tenth_cpu_us;
    std::uint64_t warm_up_scans = 0;  // samples before this are left out of the trends
    std::vector<memory_sample> samples;
    memory_trend resident;
    memory_trend heap;
    std::size_t connections_open_at_end = 0;
};

struct machine_info {
    std::string cpu;
    unsigned cpus = 0;
    std::string kernel;
    std::string memory;
    std::string load_at_start;
    std::string load_at_end;
    std::string build;  // build type, compiler and flags, SDK flavour
    std::string python;
};

machine_info describe_machine();
// "8.12 7.90 7.55" from /proc/loadavg.
std::string load_average();

struct bench_report {
    machine_info machine;
    run_settings settings;
    std::vector<kind_result> kinds;
    std::optional<long_run_result> long_run;
    std::size_t connections_total = 0;
    std::uint64_t scans_total = 0;
    std::uint64_t requests_total = 0;

    // Every scan succeeded and, where the baseline ran, its calls were the module's.
    [[nodiscard]] bool consistent() const;
};

void print_report(std::ostream& out, const bench_report& report);

// Text helpers of the printed reports.
std::string fixed(double value, int decimals = 0);
std::string megabytes(double bytes);
std::string signed_bytes(double bytes);
std::string pad(std::string text, std::size_t width);       // on the right, to width
std::string left_pad(std::string text, std::size_t width);  // on the left
std::string report_json(const bench_report& report);

}  // namespace orvane::tessel::bench
