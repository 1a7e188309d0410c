// Thousands of sensors of every kind, created through the exported functions and scanned by several
// host threads at once: throughput, CPU and wall time per scan, connections, TLS handshakes, AWS
// clients made, the time spent waiting for the service container's lock, and the memory the sensors
// take and give back. A report, not a test: see docs/performance.md.
//
//   scale_bench [--threads 1,4,16] [--sensors 5000] [--seconds 5] [--tls] [--json FILE]
//               [--emulator-in-process]
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "aws_emulator/emulator.hpp"
#include "bench/module/bench_environment.h"
#include "bench/module/emulator_process.h"
#include "bench/module/in_process_host.h"
#include "bench/module/measures.h"
#include "bench/module/scale_plan.h"
#include "bench/module/scale_report.h"
#include "bench/module/scale_run.h"
#include "module/module_slot.h"

namespace {

using namespace orvane::tessel::bench;
namespace emu = orvane::tessel::emulator;
namespace helper = orvane::tessel::libvexahelper;

struct options {
    std::vector<std::size_t> threads{1, 4, 16};
    std::size_t sensors = 5000;
    double seconds = 5.0;
    bool tls = false;
    bool emulator_in_process = false;
    std::string json;
};

// The ids of the measured sensors; the warm-up's come before them.
constexpr std::int32_t first_sensor_id = 1000;

// The emulator the runs scan against: by default a child process, as AWS is outside the host's
// process; or a server in this process, whose worker threads then share the module's allocator.
class scan_target {
public:
    explicit scan_target(const options& o) {
        const auto scenario = emu::scenario::from_file(VEXA_BENCH_SCENARIO);
        // Each open connection holds a worker; the module opens at most one per scanning thread.
        const std::size_t workers = *std::max_element(o.threads.begin(), o.threads.end()) + 4;
        if (o.emulator_in_process) {
            // Its request log would grow with every request; the counters are enough here.
            m_local = start_emulator(scenario, o.tls, workers, false);
        } else {
            m_child = std::make_unique<emulator_process>(scenario, o.tls, workers);
        }
    }

    std::string base_url() const { return m_local ? m_local->base_url() : m_child->base_url(); }

    // The emulator's CPU time only when it has a process of its own.
    run_counters read_counters() const {
        auto& container = module_container();
        const auto emulator = m_local ? emulator_process::reading{m_local->traffic()} : m_child->read();
        const auto& counts = emulator.traffic;
        const auto lock = container.lock_statistics();
        return {counts.requests,
                counts.connections,
                counts.tls_handshakes,
                counts.tls_resumed,
                container.factories().calls(),
                lock.acquisitions,
                lock.contended,
                lock.waited,
                std::chrono::nanoseconds(emulator.cpu_ns)};
    }

    // The heap reading counts what threads keep in their allocator caches as in use, and an emulator
    // in this process keeps freed memory there: for the two readings that are compared after the
    // runs, it is stopped, so that its threads end and give their caches back, then started again on
    // the same port.
    memory_sample sample_quietly(bool tls) {
        if (!m_local) {
            return sample_memory(0);
        }
        const auto port = m_local->port();
        m_local->stop();
        const auto sample = sample_memory(0);
        m_local->start(port, tls);
        return sample;
    }

private:
    static helper::service_container& module_container() {
        return *helper::module::module_slot::adapter()->module().container();
    }

    std::unique_ptr<emulator_process> m_child;
    std::unique_ptr<emu::server> m_local;
};

// Creates the sensors; returns how many the module refused.
std::size_t create_sensors(in_process_host& host, const std::vector<std::int32_t>& ids) {
    std::size_t refused = 0;
    for (std::size_t n = 0; n < ids.size(); ++n) {
        if (host.create_sensor(ids[n], settings_buffer(scale_case(n), demo_keys(), {})) != 0) {
            ++refused;
        }
    }
    return refused;
}

void destroy_sensors(in_process_host& host, const std::vector<std::int32_t>& ids) {
    for (const auto id : ids) {
        host.destroy_sensor(id);
    }
}

// Every case, and a sensor for every thread (a sensor's scans never overlap), each thread scanning as
// many of them: the connections, TLS sessions and process-wide caches that any number of sensors
// needs are in place before the memory baseline is taken.
void warm_up(in_process_host& host, std::size_t threads) {
    std::vector<std::int32_t> ids(std::max(scale_cases().size(), threads));
    for (std::size_t n = 0; n < ids.size(); ++n) {
        ids[n] = static_cast<std::int32_t>(n + 1);
    }
    create_sensors(host, ids);
    run_schedule(host, {.sensors = ids,
                        .threads = threads,
                        .length = std::chrono::seconds(60),
                        .scans_per_thread = ids.size()});
    destroy_sensors(host, ids);
}

int run(const options& o) {
    scan_target aws(o);  // first: it forks, and no thread may exist yet
    scale_report report;
    report.machine = describe_machine();
    report.tls = o.tls;
    report.sensors = o.sensors;
    report.seconds = o.seconds;
    report.emulator_in_process = o.emulator_in_process;
    const std::size_t most_threads = *std::max_element(o.threads.begin(), o.threads.end());
    point_module_at(aws.base_url(), o.tls);

    tally_receiver receiver;
    in_process_host host(receiver);
    std::vector<std::int32_t> ids(o.sensors);
    for (std::size_t n = 0; n < ids.size(); ++n) {
        ids[n] = first_sensor_id + static_cast<std::int32_t>(n);
    }

    report.at_start = sample_memory(0);
    std::cerr << "warming up with " << most_threads << " threads\n";
    warm_up(host, most_threads);
    report.before_create = aws.sample_quietly(o.tls);
    std::cerr << "creating " << o.sensors << " sensors\n";
    report.created_failed = create_sensors(host, ids);
    report.after_create = sample_memory(0);  // creating involves no emulator thread

    for (const auto threads : o.threads) {
        std::cerr << "scanning with " << threads << " threads for " << o.seconds << " s\n";
        const auto before = aws.read_counters();
        const auto scans = run_schedule(
            host, {.sensors = ids, .threads = threads, .length = std::chrono::duration<double>(o.seconds)});
        report.runs.push_back(summarize_run(scans, aws.read_counters() - before, ids.size()));
    }

    destroy_sensors(host, ids);
    report.after_destroy = aws.sample_quietly(o.tls);
    report.machine.load_at_end = load_average();

    print_scale_report(std::cout, report);
    if (!o.json.empty()) {
        std::ofstream(o.json) << scale_report_json(report) << "\n";
    }
    return report.consistent() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    options o;
    CLI::App app{"scale_bench: many sensors scanned by many host threads"};
    app.add_option("--threads", o.threads, "host thread counts, one run each (e.g. 1,4,16)")
        ->delimiter(',')
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    app.add_option("--sensors", o.sensors, "sensors created, of every kind")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    app.add_option("--seconds", o.seconds, "length of each run")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    app.add_flag("--tls", o.tls, "HTTPS to the emulator (self-signed, verification off)");
    app.add_option("--json", o.json, "also write the figures as JSON to this file");
    app.add_flag("--emulator-in-process", o.emulator_in_process,
                 "run the emulator in this process instead of a child process");
    CLI11_PARSE(app, argc, argv);
    try {
        return run(o);
    } catch (const std::exception& error) {
        std::cerr << "scale_bench: " << error.what() << "\n";
        return 2;
    }
}
