#include "bench/module/scale_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

namespace orvane::tessel::bench {

namespace {

double per_second(double count, double seconds) {
    return seconds > 0.0 ? count / seconds : 0.0;
}

std::string kib(double bytes) {
    return fixed(bytes / 1024.0, 1) + " KiB";
}

void print_memory(std::ostream& out, const scale_report& report) {
    const auto line = [&](std::string_view what, const memory_sample& sample) {
        out << "  " << pad(std::string(what), 34)
            << left_pad(megabytes(static_cast<double>(sample.resident_bytes)), 12)
            << left_pad(megabytes(static_cast<double>(sample.heap_bytes)), 12) << "\n";
    };
    out << "\nMemory of the whole process" << pad("", 11) << left_pad("resident", 12) << left_pad("heap", 12)
        << "\n";
    line("module initialised", report.at_start);
    line("after the warm-up (before creating)", report.before_create);
    line("after creating " + std::to_string(report.sensors) + " sensors", report.after_create);
    line("after destroying them", report.after_destroy);
    out << "  per sensor instance: " << kib(report.memory_per_sensor_bytes()) << " of heap ("
        << fixed(report.memory_per_sensor_bytes()) << " B); resident "
        << kib(static_cast<double>(report.after_create.resident_bytes) -
               static_cast<double>(report.before_create.resident_bytes))
        << " for all of them\n";
    out << "  heap after destroying every sensor: " << signed_bytes(report.heap_after_destroy_delta_bytes())
        << " against before creating them; warm-up connections and caches: "
        << signed_bytes(static_cast<double>(report.before_create.heap_bytes) -
                        static_cast<double>(report.at_start.heap_bytes))
        << "\n";
}

void print_runs(std::ostream& out, const scale_report& report) {
    out << "\n"
        << left_pad("threads", 7) << left_pad("scans/s", 10) << left_pad("req/s", 10)
        << left_pad("CPU µs", 10) << left_pad("p50 µs", 10) << left_pad("p99 µs", 10) << left_pad("conns", 7)
        << left_pad("TLS hs", 8) << left_pad("clients", 9) << left_pad("lock wait", 11)
        << left_pad("lock waits", 12) << left_pad("emulator", 10) << "\n";
    out << left_pad("", 7) << left_pad("", 10) << left_pad("", 10) << left_pad("per scan", 10)
        << left_pad("wall", 10) << left_pad("wall", 10) << left_pad("opened", 7) << left_pad("(resumed)", 8)
        << left_pad("created", 9) << left_pad("share", 11) << left_pad("/ locks", 12)
        << left_pad("µs/req", 10) << "\n";
    for (const auto& run : report.runs) {
        const auto& c = run.counted;
        out << left_pad(std::to_string(run.threads), 7) << left_pad(fixed(run.scans_per_second), 10)
            << left_pad(fixed(run.requests_per_second), 10) << left_pad(fixed(run.cpu_us_per_scan), 10)
            << left_pad(fixed(run.p50_wall_us), 10) << left_pad(fixed(run.p99_wall_us), 10)
            << left_pad(std::to_string(c.connections), 7)
            << left_pad(std::to_string(c.tls_handshakes) + "(" + std::to_string(c.tls_resumed) + ")", 8)
            << left_pad(std::to_string(c.factory_calls), 9)
            << left_pad(fixed(run.lock_wait_share * 100.0, 2) + " %", 11)
            << left_pad(std::to_string(c.lock_contended) + "/" + std::to_string(c.lock_acquisitions), 12)
            << left_pad(c.emulator_cpu.count() > 0 ? fixed(run.emulator_cpu_us_per_request) : "-", 10)
            << "\n";
    }
    out << "\n";
    for (const auto& run : report.runs) {
        out << run.threads << " threads: " << run.scans << " scans in " << fixed(run.seconds, 2) << " s, "
            << fixed(run.requests_per_scan, 2) << " requests each, " << run.failed << " failed";
        if (!run.first_failure.empty()) {
            out << "; first: " << run.first_failure;
        }
        out << "\n";
    }
}

}  // namespace

run_counters run_counters::operator-(const run_counters& before) const {
    return {requests - before.requests,
            connections - before.connections,
            tls_handshakes - before.tls_handshakes,
            tls_resumed - before.tls_resumed,
            factory_calls - before.factory_calls,
            lock_acquisitions - before.lock_acquisitions,
            lock_contended - before.lock_contended,
            lock_waited - before.lock_waited,
            emulator_cpu - before.emulator_cpu};
}

scale_run_figures summarize_run(const schedule_result& run, const run_counters& counted,
                                std::size_t sensors) {
    scale_run_figures figures;
    figures.threads = run.threads.size();
    figures.sensors = sensors;
    figures.seconds = run.elapsed.count();
    figures.counted = counted;
    std::chrono::nanoseconds cpu{0};
    std::chrono::nanoseconds busy{0};
    std::vector<double> walls;
    for (const auto& tally : run.threads) {
        figures.scans += tally.scans;
        figures.failed += tally.failed;
        if (figures.first_failure.empty()) {
            figures.first_failure = tally.first_failure;
        }
        cpu += tally.cpu;
        busy += tally.busy;
        walls.insert(walls.end(), tally.wall_us.begin(), tally.wall_us.end());
    }
    const auto scans = static_cast<double>(figures.scans);
    figures.scans_per_second = per_second(scans, figures.seconds);
    figures.requests_per_second = per_second(static_cast<double>(counted.requests), figures.seconds);
    figures.requests_per_scan = scans > 0 ? static_cast<double>(counted.requests) / scans : 0.0;
    figures.cpu_us_per_scan =
        scans > 0 ? std::chrono::duration<double, std::micro>(cpu).count() / scans : 0.0;
    figures.emulator_cpu_us_per_request =
        counted.requests > 0 ? std::chrono::duration<double, std::micro>(counted.emulator_cpu).count() /
                                   static_cast<double>(counted.requests)
                             : 0.0;
    figures.p50_wall_us = percentile(walls, 0.50);
    figures.p99_wall_us = percentile(std::move(walls), 0.99);
    figures.lock_wait_share = busy.count() > 0 ? static_cast<double>(counted.lock_waited.count()) /
                                                     static_cast<double>(busy.count())
                                               : 0.0;
    return figures;
}

double scale_report::memory_per_sensor_bytes() const {
    return sensors == 0 ? 0.0
                        : (static_cast<double>(after_create.heap_bytes) -
                           static_cast<double>(before_create.heap_bytes)) /
                              static_cast<double>(sensors);
}

double scale_report::heap_after_destroy_delta_bytes() const {
    return static_cast<double>(after_destroy.heap_bytes) - static_cast<double>(before_create.heap_bytes);
}

bool scale_report::consistent() const {
    return created_failed == 0 && !runs.empty() && std::all_of(runs.begin(), runs.end(), [](const auto& run) {
               return run.scans > 0 && run.failed == 0 &&
                      run.counted.tls_handshakes <= run.counted.connections;
           });
}

void print_scale_report(std::ostream& out, const scale_report& report) {
    const auto& machine = report.machine;
    out << "Scale: " << report.sensors
        << " sensors of every kind on the demo account, scanned by host threads "
        << "for " << fixed(report.seconds, 1) << " s per run (AWS emulator "
        << (report.emulator_in_process ? "in this process" : "in a child process") << ", "
        << (report.tls ? "HTTPS" : "HTTP") << " on loopback)\n";
    out << "machine: " << machine.cpu << ", " << machine.cpus << " CPUs, " << machine.memory << ", "
        << machine.kernel << "\n";
    out << "load average: " << machine.load_at_start << " at start, " << machine.load_at_end << " at end\n";
    out << "build: " << machine.build << "\n";
    out << "CPU per scan: the scanning threads' CPU time over their scans; lock wait: time waiting for the "
           "service container's lock over the scans' wall time\n";
    if (report.created_failed > 0) {
        out << report.created_failed << " sensors could not be created\n";
    }
    print_runs(out, report);
    print_memory(out, report);
}

std::string scale_report_json(const scale_report& report) {
    nlohmann::ordered_json json;
    json["memory_per_sensor_bytes"] = report.memory_per_sensor_bytes();
    json["heap_after_destroy_delta_bytes"] = report.heap_after_destroy_delta_bytes();
    json["runs"] = nlohmann::ordered_json::array();
    for (const auto& run : report.runs) {
        json["runs"].push_back({{"threads", run.threads},
                                {"sensors", run.sensors},
                                {"scans_per_second", run.scans_per_second},
                                {"requests_per_second", run.requests_per_second},
                                {"cpu_us_per_scan", run.cpu_us_per_scan},
                                {"p50_wall_us", run.p50_wall_us},
                                {"p99_wall_us", run.p99_wall_us},
                                {"connections_opened", run.counted.connections},
                                {"tls_handshakes", run.counted.tls_handshakes},
                                {"clients_created", run.counted.factory_calls},
                                {"lock_wait_share", run.lock_wait_share}});
    }
    return json.dump(2);
}

}  // namespace orvane::tessel::bench
