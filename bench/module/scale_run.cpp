#include "bench/module/scale_run.h"

#include <pthread.h>
#include <algorithm>
#include <atomic>
#include <latch>
#include <thread>

#include "bench/module/measures.h"

namespace orvane::tessel::bench {

namespace {

thread_local scan_tally* bound_tally = nullptr;

// Long enough to show what went wrong, short enough for a report line.
constexpr std::size_t failure_excerpt = 600;

struct shared_state {
    std::span<const std::int32_t> sensors;
    std::uint64_t scans_per_thread = 0;
    std::atomic<std::size_t> next{0};
    std::chrono::steady_clock::time_point deadline;
};

void scan_until_done(in_process_host& host, shared_state& state, scan_tally& tally) {
    tally_receiver::bind(&tally);
    const auto cpu_start = thread_cpu_time();
    while (std::chrono::steady_clock::now() < state.deadline &&
           (state.scans_per_thread == 0 || tally.scans < state.scans_per_thread)) {
        const auto id =
            state.sensors[state.next.fetch_add(1, std::memory_order_relaxed) % state.sensors.size()];
        const auto results_before = tally.results;
        const auto start = std::chrono::steady_clock::now();
        const auto code = host.scan(id);
        const auto wall = std::chrono::steady_clock::now() - start;
        ++tally.scans;
        tally.busy += wall;
        tally.wall_us.push_back(std::chrono::duration<double, std::micro>(wall).count());
        if (code != 0 || tally.results != results_before + 1) {
            tally.count_failure("sensor " + std::to_string(id) + ": ExecuteSensorScan answered " +
                                std::to_string(code) + " with " +
                                std::to_string(tally.results - results_before) + " scan results");
        }
    }
    tally.cpu = thread_cpu_time() - cpu_start;
    tally_receiver::bind(nullptr);
}

}  // namespace

void scan_tally::count_result(std::string_view message) {
    ++results;
    if (response_code(message) != 0) {
        count_failure(message.substr(0, failure_excerpt));
    }
}

void scan_tally::count_failure(std::string_view what) {
    if (failed++ == 0) {
        first_failure = std::string(what);
    }
}

void tally_receiver::bind(scan_tally* tally) noexcept {
    bound_tally = tally;
}

void tally_receiver::receive(std::string_view message) {
    if (bound_tally != nullptr && is_scan_result(message)) {
        bound_tally->count_result(message);
    }
}

schedule_result run_schedule(in_process_host& host, const schedule& plan) {
    schedule_result result;
    const std::size_t threads = std::max<std::size_t>(plan.threads, 1);
    result.threads.resize(threads);
    if (plan.sensors.empty()) {
        return result;
    }
    // Room for more scans than two cores manage, so that the vectors rarely grow while timing.
    constexpr double scans_per_second_guess = 8000.0;
    const auto expected = static_cast<std::size_t>(std::max(plan.length.count(), 0.0) *
                                                   scans_per_second_guess / static_cast<double>(threads)) +
                          plan.scans_per_thread + 64;
    for (auto& tally : result.threads) {
        tally.wall_us.reserve(expected);
    }
    shared_state state;
    state.sensors = plan.sensors;
    state.scans_per_thread = plan.scans_per_thread;
    std::latch go(1);
    std::vector<std::jthread> workers;
    workers.reserve(threads);
    for (auto& tally : result.threads) {
        workers.emplace_back([&host, &state, &tally, &go] {
            // Named, so that a profile tells the host's threads from the emulator's.
            pthread_setname_np(pthread_self(), "host-scan");
            go.wait();
            scan_until_done(host, state, tally);
        });
    }
    const auto start = std::chrono::steady_clock::now();
    state.deadline = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(plan.length);
    go.count_down();
    workers.clear();  // joins
    result.elapsed = std::chrono::steady_clock::now() - start;
    return result;
}

}  // namespace orvane::tessel::bench
