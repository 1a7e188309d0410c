#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "bench/module/measures.h"
#include "bench/module/report.h"
#include "bench/module/scale_run.h"

// What the scale benchmark measured, and how it is shown: a readable report and JSON.
namespace orvane::tessel::bench {

// Counters that only grow, read before and after each run: the emulator's traffic and the module's
// service container.
struct run_counters {
    std::uint64_t requests = 0;
    std::uint64_t connections = 0;
    std::uint64_t tls_handshakes = 0;
    std::uint64_t tls_resumed = 0;
    std::uint64_t factory_calls = 0;  // with sensor logs off, every one makes an AWS client
    std::uint64_t lock_acquisitions = 0;
    std::uint64_t lock_contended = 0;
    std::chrono::nanoseconds lock_waited{0};
    std::chrono::nanoseconds emulator_cpu{0};  // 0 when the emulator shares this process

    run_counters operator-(const run_counters& before) const;
};

struct scale_run_figures {
    std::size_t threads = 0;
    std::size_t sensors = 0;
    double seconds = 0.0;
    std::uint64_t scans = 0;
    std::uint64_t failed = 0;
    std::string first_failure;
    double scans_per_second = 0.0;
    double requests_per_second = 0.0;
    double requests_per_scan = 0.0;
    double cpu_us_per_scan = 0.0;  // the scanning threads' CPU time over their scans
    double p50_wall_us = 0.0;
    double p99_wall_us = 0.0;
    run_counters counted;          // during the run
    double lock_wait_share = 0.0;  // time waiting for the container's lock over the scans' wall time
    double emulator_cpu_us_per_request = 0.0;
};

// The figures of one run from its threads' tallies and the counters it moved.
scale_run_figures summarize_run(const schedule_result& run, const run_counters& counted, std::size_t sensors);

struct scale_report {
    machine_info machine;
    bool tls = false;
    bool emulator_in_process = false;
    std::size_t sensors = 0;
    double seconds = 0.0;
    std::size_t created_failed = 0;  // sensors the module refused to create
    // The whole process; the heap is what malloc has handed out and not taken back.
    memory_sample at_start;       // the module initialised, nothing scanned yet
    memory_sample before_create;  // after the warm-up: connections and caches in place
    memory_sample after_create;
    memory_sample after_destroy;
    std::vector<scale_run_figures> runs;

    [[nodiscard]] double memory_per_sensor_bytes() const;
    [[nodiscard]] double heap_after_destroy_delta_bytes() const;
    // Every sensor was created, every scan succeeded with one result, and no run counted more TLS
    // handshakes than connections.
    [[nodiscard]] bool consistent() const;
};

void print_scale_report(std::ostream& out, const scale_report& report);
std::string scale_report_json(const scale_report& report);

}  // namespace orvane::tessel::bench
