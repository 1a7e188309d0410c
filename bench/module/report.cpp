#include "bench/module/report.h"

#include <sys/utsname.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>
#include <thread>

#ifndef VEXA_BENCH_BUILD
#define VEXA_BENCH_BUILD "unknown build"
#endif

namespace orvane::tessel::bench {

namespace {

// The value of the first "<key>: value" line of a /proc text file.
std::string proc_field(const char* path, std::string_view key) {
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with(key)) {
            const auto colon = line.find(':');
            const auto value = line.find_first_not_of(" \t", colon + 1);
            return value == std::string::npos ? std::string() : line.substr(value);
        }
    }
    return "unknown";
}

nlohmann::ordered_json to_json(const summary& s) {
    return {{"count", s.count}, {"median", s.median}, {"mean", s.mean}, {"min", s.min}, {"max", s.max}};
}

nlohmann::ordered_json to_json(const module_figures& m) {
    return {{"scans", m.scans},
            {"failed_scans", m.failed},
            {"first_failure", m.first_failure},
            {"requests", m.requests},
            {"requests_per_scan", m.requests_per_scan},
            {"cpu_us", to_json(m.cpu_us)},
            {"wall_us", to_json(m.wall_us)},
            {"connections_opened", m.connections}};
}

nlohmann::ordered_json to_json(const memory_trend& t) {
    nlohmann::ordered_json json{{"samples", t.samples},
                                {"first_bytes", t.first},
                                {"last_bytes", t.last},
                                {"max_minus_min_bytes", t.max_minus_min}};
    json["slope_bytes_per_1000_scans"] =
        t.per_1000_scans ? nlohmann::ordered_json(*t.per_1000_scans) : nlohmann::ordered_json();
    return json;
}

std::string trend_line(const memory_trend& t) {
    if (t.samples == 0) {
        return "no samples after warm-up";
    }
    std::string line = megabytes(t.first) + " after warm-up, " + megabytes(t.last) + " at the end, spread " +
                       signed_bytes(t.max_minus_min).substr(1);
    if (t.per_1000_scans) {
        line += ", slope " + signed_bytes(*t.per_1000_scans) + " per 1000 scans";
    }
    return line + " (" + std::to_string(t.samples) + " samples)";
}

void print_kinds(std::ostream& out, const bench_report& report) {
    const std::size_t label_width = 17;
    out << pad("kind", label_width) << left_pad("req/scan", 9) << left_pad("module CPU", 12)
        << left_pad("wall", 9) << left_pad("boto3 CPU", 12) << left_pad("wall", 9) << left_pad("ratio", 8)
        << "  calls    conns\n";
    out << pad("", label_width) << left_pad("", 9) << left_pad("µs/scan", 13) << left_pad("µs", 10)
        << left_pad("µs/scan", 13) << left_pad("µs", 10) << left_pad("CPU", 8) << "  alike    mod/py\n";
    for (const auto& kind : report.kinds) {
        const auto& m = kind.module;
        const auto& b = kind.baseline;
        out << pad(kind.label, label_width) << left_pad(fixed(m.requests_per_scan, 1), 9)
            << left_pad(fixed(m.cpu_us.median), 12) << left_pad(fixed(m.wall_us.median), 9);
        if (b.ran) {
            const auto ratio = kind.cpu_ratio();
            out << left_pad(fixed(b.cpu_us.median), 12) << left_pad(fixed(b.wall_us.median), 9)
                << left_pad(ratio ? fixed(*ratio, 1) + "x" : "-", 8) << "  "
                << pad(b.difference.empty() ? "yes" : "NO", 7);
        } else {
            out << left_pad("-", 12) << left_pad("-", 9) << left_pad("-", 8) << "  " << pad("-", 7);
        }
        out << "  " << m.connections << "/" << (b.ran ? std::to_string(b.connections) : "-") << "\n";
    }
    for (const auto& kind : report.kinds) {
        if (kind.module.failed > 0) {
            out << kind.label << ": " << kind.module.failed << " of " << kind.module.scans
                << " scans failed; first: " << kind.module.first_failure << "\n";
        }
        if (!kind.baseline.error.empty()) {
            out << kind.label << ": baseline: " << kind.baseline.error << "\n";
        }
        if (!kind.baseline.difference.empty()) {
            out << kind.label << ": baseline calls differ: " << kind.baseline.difference << "\n";
        }
    }
}

void print_long_run(std::ostream& out, const long_run_result& run) {
    const auto& m = run.module;
    out << "\nLong run: " << run.label << " sensor, " << m.scans << " scans ("
        << fixed(m.requests_per_scan, 1) << " requests each), " << m.failed << " failed\n";
    out << "  CPU per scan: median " << fixed(m.cpu_us.median) << " µs, mean " << fixed(m.cpu_us.mean)
        << " µs; first tenth " << fixed(run.first_tenth_cpu_us.median) << " µs, last tenth "
        << fixed(run.last_tenth_cpu_us.median) << " µs (medians)\n";
    out << "  memory sampled every "
        << (run.samples.size() > 1 ? run.samples[1].scans - run.samples[0].scans : 0)
        << " scans, trends from scan " << run.warm_up_scans << " on:\n";
    out << "    resident: " << trend_line(run.resident) << "\n";
    out << "    heap in use: " << trend_line(run.heap) << "\n";
    out << "  connections opened: " << m.connections << " over " << m.scans
        << " scans, open at the end: " << run.connections_open_at_end << "\n";
}

}  // namespace

std::string fixed(double value, int decimals) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return text.data();
}

std::string megabytes(double bytes) {
    return fixed(bytes / (1024.0 * 1024.0), 2) + " MiB";
}

std::string signed_bytes(double bytes) {
    return (bytes >= 0 ? "+" : "") + fixed(bytes, 0) + " B";
}

std::string pad(std::string text, std::size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

std::string left_pad(std::string text, std::size_t width) {
    if (text.size() < width) {
        text.insert(0, width - text.size(), ' ');
    }
    return text;
}

std::optional<double> kind_result::cpu_ratio() const {
    if (!baseline.ran || baseline.cpu_us.count == 0 || module.cpu_us.count == 0 ||
        module.cpu_us.median <= 0) {
        return std::nullopt;
    }
    return baseline.cpu_us.median / module.cpu_us.median;
}

bool bench_report::consistent() const {
    const auto kind_ok = [](const kind_result& kind) {
        return kind.module.failed == 0 && kind.module.scans > 0 && kind.baseline.difference.empty() &&
               kind.baseline.error.empty();
    };
    return std::all_of(kinds.begin(), kinds.end(), kind_ok) && (!long_run || long_run->module.failed == 0);
}

std::string load_average() {
    std::ifstream file("/proc/loadavg");
    std::string one;
    std::string five;
    std::string fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

machine_info describe_machine() {
    machine_info info;
    info.cpu = proc_field("/proc/cpuinfo", "model name");
    info.cpus = std::thread::hardware_concurrency();
    utsname name{};
    if (::uname(&name) == 0) {
        info.kernel = std::string(name.sysname) + " " + name.release + " " + name.machine;
    }
    info.memory = proc_field("/proc/meminfo", "MemTotal");
    info.load_at_start = load_average();
    info.build = VEXA_BENCH_BUILD;
    return info;
}

void print_report(std::ostream& out, const bench_report& report) {
    const auto& machine = report.machine;
    const auto& settings = report.settings;
    out << "Module scan cost against boto3 on the same AWS calls (in-process AWS emulator, "
        << (settings.tls ? "HTTPS" : "HTTP") << " on loopback)\n";
    out << "machine: " << machine.cpu << ", " << machine.cpus << " CPUs, " << machine.memory << ", "
        << machine.kernel << "\n";
    out << "load average: " << machine.load_at_start << " at start, " << machine.load_at_end << " at end\n";
    out << "build: " << machine.build << "\n";
    out << "baseline: " << (machine.python.empty() ? "not run" : machine.python) << "\n";
    out << "scans per kind: " << settings.scans << " after " << settings.warm_up
        << " warm-up scans; baseline: " << settings.baseline_scans << "; sensor logs "
        << (settings.sensor_logs ? "on" : "off") << "\n";
    out << "CPU: the scanning thread's CPU time per scan (CLOCK_THREAD_CPUTIME_ID, time.thread_time), "
           "medians\n\n";
    print_kinds(out, report);
    if (report.long_run) {
        print_long_run(out, *report.long_run);
    }
    out << "\nAll phases: " << report.scans_total << " module scans, " << report.requests_total
        << " AWS requests, " << report.connections_total << " TCP connections opened by the module\n";
}

std::string report_json(const bench_report& report) {
    const auto& machine = report.machine;
    const auto& settings = report.settings;
    nlohmann::ordered_json json;
    json["machine"] = {{"cpu", machine.cpu},
                       {"cpus", machine.cpus},
                       {"memory", machine.memory},
                       {"kernel", machine.kernel},
                       {"load_at_start", machine.load_at_start},
                       {"load_at_end", machine.load_at_end},
                       {"build", machine.build},
                       {"baseline", machine.python}};
    json["settings"] = {{"scans", settings.scans},
                        {"warm_up", settings.warm_up},
                        {"baseline_scans", settings.baseline_scans},
                        {"long_scans", settings.long_scans},
                        {"sample_every", settings.sample_every},
                        {"tls", settings.tls},
                        {"sensor_logs", settings.sensor_logs}};
    json["kinds"] = nlohmann::ordered_json::array();
    for (const auto& kind : report.kinds) {
        nlohmann::ordered_json entry{{"label", kind.label}, {"module", to_json(kind.module)}};
        const auto& b = kind.baseline;
        entry["baseline"] = {{"ran", b.ran},
                             {"error", b.error},
                             {"calls_match", b.ran && b.difference.empty()},
                             {"difference", b.difference},
                             {"requests_per_scan", b.requests_per_scan},
                             {"cpu_us", to_json(b.cpu_us)},
                             {"wall_us", to_json(b.wall_us)},
                             {"connections_opened", b.connections}};
        const auto ratio = kind.cpu_ratio();
        entry["cpu_ratio"] = ratio ? nlohmann::ordered_json(*ratio) : nlohmann::ordered_json();
        json["kinds"].push_back(std::move(entry));
    }
    if (report.long_run) {
        const auto& run = *report.long_run;
        nlohmann::ordered_json samples = nlohmann::ordered_json::array();
        for (const auto& sample : run.samples) {
            samples.push_back({sample.scans, sample.resident_bytes, sample.heap_bytes});
        }
        json["long_run"] = {{"label", run.label},
                            {"module", to_json(run.module)},
                            {"first_tenth_cpu_us", to_json(run.first_tenth_cpu_us)},
                            {"last_tenth_cpu_us", to_json(run.last_tenth_cpu_us)},
                            {"warm_up_scans", run.warm_up_scans},
                            {"resident", to_json(run.resident)},
                            {"heap", to_json(run.heap)},
                            {"connections_open_at_end", run.connections_open_at_end},
                            {"samples_scans_resident_heap", std::move(samples)}};
    }
    json["totals"] = {{"scans", report.scans_total},
                      {"requests", report.requests_total},
                      {"connections_opened", report.connections_total}};
    json["consistent"] = report.consistent();
    return json.dump(2);
}

}  // namespace orvane::tessel::bench
