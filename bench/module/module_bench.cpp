// What a scan of each sensor kind costs the host process, against boto3 making the same AWS calls,
// and whether memory and connections stay flat over a long run. A report, not a test: see
// docs/performance.md.
//
//   module_bench [--scans 200] [--baseline-scans 100] [--long-scans 2000] [--sample-every 100]
//                [--tls] [--sensor-logs DIR] [--json FILE] [--no-baseline]
#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <fstream>
#include <iostream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "aws_emulator/emulator.hpp"
#include "bench/module/baseline_runner.h"
#include "bench/module/bench_environment.h"
#include "bench/module/connection_tracker.h"
#include "bench/module/in_process_host.h"
#include "bench/module/measures.h"
#include "bench/module/report.h"
#include "bench/module/request_calls.h"
#include "bench/module/sensor_plan.h"

namespace {

using namespace orvane::tessel::bench;
namespace emu = orvane::tessel::emulator;

struct options {
    std::size_t scans = 200;
    std::size_t warm_up = 5;
    std::size_t baseline_scans = 100;
    std::size_t long_scans = 2000;
    std::size_t sample_every = 100;
    bool tls = false;
    std::string sensor_logs;
    std::string json;
    bool no_baseline = false;
    std::string python = "/usr/bin/python3";
    std::string baseline_script = VEXA_BENCH_BASELINE_SCRIPT;
    std::string scenario = VEXA_BENCH_SCENARIO;
};

// Every operation the emulator answers; their counts make up the request log's length without
// copying it.
constexpr std::array<const char*, 10> operations{
    "DescribeRegions", "DescribeInstances", "DescribeVolumes",       "GetMetricStatistics",
    "ListMetrics",     "DescribeAlarms",    "DescribeLoadBalancers", "DescribeDBInstances",
    "GetCostAndUsage", "GetCostForecast"};

std::size_t logged_requests(const emu::server& aws) {
    std::size_t total = 0;
    for (const char* operation : operations) {
        total += aws.count(operation);
    }
    return total;
}

// One scanning thread: the module keeps one or two connections; the rest serve the baseline.
constexpr std::size_t emulator_workers = 16;

// One scanning thread, which keeps the last scan result.
struct bench_host {
    last_result_receiver results;
    in_process_host module{results};
};

// Scans one sensor, measuring each scan; warm-up scans first, unmeasured.
class scan_runner {
public:
    scan_runner(bench_host& host, connection_tracker& connections)
        : host_(host.module), results_(host.results), connections_(connections) {}

    void warm_up(std::int32_t id, std::size_t scans) {
        for (std::size_t i = 0; i < scans; ++i) {
            host_.scan(id);
            connections_.sample();
        }
    }

    // One measured scan; its one result is checked after the clocks stopped.
    timed_call scan(std::int32_t id, module_figures& figures) {
        const auto results_before = results_.scan_results();
        std::int32_t code = 0;
        const auto timing = time_call([&] { code = host_.scan(id); });
        ++figures.scans;
        if (code != 0 || results_.scan_results() != results_before + 1 ||
            response_code(results_.last_scan_result()) != 0) {
            if (figures.failed++ == 0) {
                figures.first_failure = "code " + std::to_string(code) + ": " + results_.last_scan_result();
            }
        }
        connections_.sample();
        return timing;
    }

private:
    in_process_host& host_;
    const last_result_receiver& results_;
    connection_tracker& connections_;
};

struct module_phase {
    module_figures figures;
    std::vector<aws_call> first_scan_calls;
};

module_phase measure_module(const sensor_case& sensor, std::int32_t id, const options& o, bench_host& host,
                            emu::server& aws, connection_tracker& connections) {
    module_phase phase;
    auto& figures = phase.figures;
    const std::size_t connections_before = connections.opened();
    const auto settings = settings_buffer(sensor, demo_keys(), {.logging = !o.sensor_logs.empty()});
    if (const auto code = host.module.create_sensor(id, settings); code != 0) {
        figures.first_failure = "CreateSensorInstance answered " + std::to_string(code);
        figures.failed = 1;
        return phase;
    }
    scan_runner runner(host, connections);
    runner.warm_up(id, o.warm_up);
    aws.clear_requests();
    std::vector<double> cpu;
    std::vector<double> wall;
    for (std::size_t i = 0; i < o.scans; ++i) {
        const auto timing = runner.scan(id, figures);
        cpu.push_back(timing.cpu_us);
        wall.push_back(timing.wall_us);
        if (i == 0) {
            const auto records = aws.requests();
            phase.first_scan_calls = calls_of(records);
        }
    }
    figures.set_requests(logged_requests(aws));
    aws.clear_requests();
    host.module.destroy_sensor(id);
    connections.sweep_table();
    figures.cpu_us = summarize(std::move(cpu));
    figures.wall_us = summarize(std::move(wall));
    figures.connections = connections.opened() - connections_before;
    return phase;
}

baseline_figures measure_baseline(const sensor_case& sensor, const options& o, const module_phase& module,
                                  emu::server& aws, std::string& versions) {
    baseline_figures figures;
    aws.clear_requests();
    std::vector<std::string> command{o.python,     o.baseline_script,
                                     "--endpoint", aws.base_url(),
                                     "--kind",     std::string(sensor.baseline_kind),
                                     "--resource", baseline_resource(sensor),
                                     "--interval", std::to_string(sensor.interval),
                                     "--warmup",   std::to_string(o.warm_up),
                                     "--scans",    std::to_string(o.baseline_scans)};
    if (o.tls) {
        command.emplace_back("--no-verify");
    }
    try {
        const auto run = run_process(command, {{"AWS_ACCESS_KEY_ID", demo_keys().access_key},
                                               {"AWS_SECRET_ACCESS_KEY", demo_keys().secret_key},
                                               {"AWS_EC2_METADATA_DISABLED", "true"}});
        if (run.exit_code != 0) {
            figures.error = o.python + " exited with " + std::to_string(run.exit_code);
            return figures;
        }
        auto report = parse_baseline_report(run.output);
        versions = report.versions;
        figures.ran = true;
        figures.connections = report.connections;
        figures.cpu_us = summarize(std::move(report.cpu_us));
        figures.wall_us = summarize(std::move(report.wall_us));
    } catch (const std::exception& error) {
        figures.error = error.what();
        return figures;
    }
    const auto records = aws.requests();
    const std::size_t scans = o.warm_up + o.baseline_scans;
    figures.requests_per_scan = static_cast<double>(records.size()) / static_cast<double>(scans);
    // Every scan makes the same calls; the first one stands for all.
    const std::size_t per_scan = records.size() / scans;
    const auto calls = calls_of(std::span(records).first(per_scan));
    figures.difference = records.size() % scans != 0
                             ? std::to_string(records.size()) + " requests do not divide into " +
                                   std::to_string(scans) + " equal scans"
                             : first_difference(module.first_scan_calls, calls);
    aws.clear_requests();
    return figures;
}

long_run_result measure_long_run(const sensor_case& sensor, const options& o, bench_host& host,
                                 emu::server& aws, connection_tracker& connections) {
    long_run_result run;
    run.label = std::string(sensor.label);
    auto& figures = run.module;
    constexpr std::int32_t id = 900;
    const std::size_t connections_before = connections.opened();
    if (const auto code = host.module.create_sensor(
            id, settings_buffer(sensor, demo_keys(), {.logging = !o.sensor_logs.empty()}));
        code != 0) {
        figures.first_failure = "CreateSensorInstance answered " + std::to_string(code);
        figures.failed = 1;
        return run;
    }
    const std::size_t every = std::max<std::size_t>(o.sample_every, 1);
    std::vector<double> cpu;
    std::vector<double> wall;
    // Allocated up front so that the measurement itself does not grow during the run.
    cpu.reserve(o.long_scans);
    wall.reserve(o.long_scans);
    run.samples.reserve(o.long_scans / every + 2);
    run.warm_up_scans = std::max<std::uint64_t>(o.long_scans / 10, every);

    scan_runner runner(host, connections);
    runner.warm_up(id, o.warm_up);
    aws.clear_requests();
    std::size_t requests = 0;
    run.samples.push_back(sample_memory(0));
    for (std::size_t i = 1; i <= o.long_scans; ++i) {
        const auto timing = runner.scan(id, figures);
        cpu.push_back(timing.cpu_us);
        wall.push_back(timing.wall_us);
        if (i % every == 0 || i == o.long_scans) {
            requests += logged_requests(aws);
            aws.clear_requests();  // the log would otherwise grow with the run
            run.samples.push_back(sample_memory(i));
        }
    }
    run.connections_open_at_end = connections.sample_descriptors();
    host.module.destroy_sensor(id);
    connections.sweep_table();

    const std::size_t tenth = std::max<std::size_t>(cpu.size() / 10, 1);
    if (!cpu.empty()) {
        run.first_tenth_cpu_us = summarize({cpu.begin(), cpu.begin() + static_cast<std::ptrdiff_t>(tenth)});
        run.last_tenth_cpu_us = summarize({cpu.end() - static_cast<std::ptrdiff_t>(tenth), cpu.end()});
    }
    figures.set_requests(requests);
    figures.cpu_us = summarize(std::move(cpu));
    figures.wall_us = summarize(std::move(wall));
    figures.connections = connections.opened() - connections_before;
    run.resident = trend(run.samples, memory_reading::resident, run.warm_up_scans);
    run.heap = trend(run.samples, memory_reading::heap, run.warm_up_scans);
    return run;
}

int run(const options& o) {
    bench_report report;
    report.machine = describe_machine();
    report.settings = {o.scans,        o.warm_up, o.baseline_scans,      o.long_scans,
                       o.sample_every, o.tls,     !o.sensor_logs.empty()};

    const auto scenario = emu::scenario::from_file(o.scenario);
    const auto module_aws = start_emulator(scenario, o.tls, emulator_workers);
    // The baseline gets its own emulator, so that the connection count and the request log of the
    // module's stay the module's alone.
    const auto baseline_aws = start_emulator(scenario, o.tls, emulator_workers);
    point_module_at(module_aws->base_url(), o.tls, o.sensor_logs);

    connection_tracker connections(module_aws->port());
    {
        bench_host host;
        std::int32_t id = 100;
        for (const auto& sensor : sensor_cases()) {
            std::cerr << "scanning " << sensor.label << "\n";
            kind_result kind;
            kind.label = std::string(sensor.label);
            const auto module = measure_module(sensor, ++id, o, host, *module_aws, connections);
            kind.module = module.figures;
            report.scans_total += kind.module.scans;
            report.requests_total += kind.module.requests;
            if (!o.no_baseline) {
                kind.baseline = measure_baseline(sensor, o, module, *baseline_aws, report.machine.python);
            }
            report.kinds.push_back(std::move(kind));
        }
        if (o.long_scans > 0) {
            std::cerr << "long run: " << o.long_scans << " scans\n";
            report.long_run = measure_long_run(sensor_cases().front(), o, host, *module_aws, connections);
            const auto& figures = report.long_run->module;
            report.scans_total += figures.scans;
            report.requests_total += figures.requests;
        }
    }
    connections.sweep_table();
    report.connections_total = connections.opened();
    report.machine.load_at_end = load_average();

    print_report(std::cout, report);
    if (!o.json.empty()) {
        std::ofstream(o.json) << report_json(report) << "\n";
    }
    return report.consistent() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    options o;
    CLI::App app{"module_bench: scan cost of every sensor kind against boto3, memory and connections"};
    app.add_option("--scans", o.scans, "measured scans per kind")->capture_default_str();
    app.add_option("--warm-up", o.warm_up, "unmeasured scans before them (module and baseline)")
        ->capture_default_str();
    app.add_option("--baseline-scans", o.baseline_scans, "measured boto3 scans per kind")
        ->capture_default_str();
    app.add_option("--long-scans", o.long_scans, "scans of the EC2 sensor in the long run (0: none)")
        ->capture_default_str();
    app.add_option("--sample-every", o.sample_every, "memory sample interval of the long run, in scans")
        ->capture_default_str();
    app.add_flag("--tls", o.tls, "HTTPS to the emulator (self-signed, verification off)");
    app.add_option("--sensor-logs", o.sensor_logs, "turn the sensors' logs on and write them here");
    app.add_option("--json", o.json, "also write the figures as JSON to this file");
    app.add_flag("--no-baseline", o.no_baseline, "skip the boto3 baseline");
    app.add_option("--python", o.python, "the Python with boto3")->capture_default_str();
    app.add_option("--baseline-script", o.baseline_script)->capture_default_str();
    app.add_option("--scenario", o.scenario, "emulator scenario")->capture_default_str();
    CLI11_PARSE(app, argc, argv);
    try {
        return run(o);
    } catch (const std::exception& error) {
        std::cerr << "module_bench: " << error.what() << "\n";
        return 2;
    }
}
