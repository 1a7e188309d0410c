#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Clocks, memory readings and the statistics the module benchmark reports.
namespace orvane::tessel::bench {

// CPU time of the calling thread only: the emulator's threads in the same process do not count.
std::chrono::nanoseconds thread_cpu_time() noexcept;

// Times one call on the calling thread: its thread CPU time and its wall time.
struct timed_call {
    double cpu_us = 0.0;
    double wall_us = 0.0;
};

template <class Call>
timed_call time_call(Call&& call) {
    const auto cpu_start = thread_cpu_time();
    const auto wall_start = std::chrono::steady_clock::now();
    call();
    const auto wall = std::chrono::steady_clock::now() - wall_start;
    const auto cpu = thread_cpu_time() - cpu_start;
    return {std::chrono::duration<double, std::micro>(cpu).count(),
            std::chrono::duration<double, std::micro>(wall).count()};
}

struct memory_sample {
    std::uint64_t scans = 0;
    std::uint64_t resident_bytes = 0;  // RSS of the whole process
    std::uint64_t heap_bytes = 0;      // bytes malloc has handed out and not taken back
};

memory_sample sample_memory(std::uint64_t scans);

// The resident page count of a /proc/<pid>/statm text (its second field); nothing when unreadable.
std::optional<std::uint64_t> resident_pages(std::string_view statm);

struct summary {
    std::size_t count = 0;
    double median = 0.0;
    double mean = 0.0;
    double min = 0.0;
    double max = 0.0;
};

summary summarize(std::vector<double> values);

// The nearest-rank percentile (fraction 0.5 for the median, 0.99 for p99); 0 without values.
double percentile(std::vector<double> values, double fraction);

// Least-squares slope of y over x; nothing with fewer than two distinct x.
std::optional<double> slope(std::span<const double> x, std::span<const double> y);

// How a memory reading moved over a long run, warm-up excluded.
struct memory_trend {
    std::size_t samples = 0;               // samples after warm-up
    std::optional<double> per_1000_scans;  // least-squares slope in bytes per 1000 scans
    double first = 0.0;                    // first reading after warm-up
    double last = 0.0;
    double max_minus_min = 0.0;
};

enum class memory_reading { resident, heap };

// The trend of the samples from warm_up_scans on.
memory_trend trend(std::span<const memory_sample> samples, memory_reading reading,
                   std::uint64_t warm_up_scans);

}  // namespace orvane::tessel::bench
