// Requests per second the emulator sustains on loopback: several client threads, each on one
// keep-alive connection, sending pre-signed requests of one operation for a fixed time.
//
//   aws_emulator_bench [--scenario demo.json] [--threads 4] [--seconds 3]
#include "aws_emulator/emulator.hpp"
#include "aws_emulator/sigv4.hpp"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace emu = orvane::tessel::emulator;
using clock_type = std::chrono::steady_clock;

struct workload {
    const char* name;
    const char* service;
    std::string body;
    const char* target;  // Cost Explorer only
};

std::string iso(std::chrono::system_clock::time_point t) {
    const std::time_t tt = std::chrono::system_clock::to_time_t(t);
    std::tm tm{};
    gmtime_r(&tt, &tm);
    std::array<char, 32> buffer{};
    std::strftime(buffer.data(), buffer.size(), "%Y-%m-%dT%H%%3A%M%%3A%SZ", &tm);
    return buffer.data();
}

std::vector<workload> workloads() {
    const auto now = std::chrono::system_clock::now();
    std::array<char, 16> month{};
    const std::time_t tt = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    gmtime_r(&tt, &tm);
    std::strftime(month.data(), month.size(), "%Y-%m-01", &tm);
    std::array<char, 16> tomorrow{};
    const std::time_t next = tt + 86400;
    gmtime_r(&next, &tm);
    std::strftime(tomorrow.data(), tomorrow.size(), "%Y-%m-%d", &tm);
    std::string statistics =
        "Action=GetMetricStatistics&Version=2010-08-01&Namespace=AWS%2FEC2&MetricName=CPUUtilization&"
        "Dimensions.member.1.Name=InstanceId&Dimensions.member.1.Value=i-0a1b2c3d4e5f60001&Period=300&"
        "Statistics.member.1=Average&StartTime=";
    statistics.append(iso(now - std::chrono::minutes(10))).append("&EndTime=").append(iso(now));
    std::string costs = R"({"TimePeriod":{"Start":")";
    costs.append(month.data()).append(R"(","End":")").append(tomorrow.data());
    costs.append(R"("},"Granularity":"MONTHLY","Metrics":["BlendedCost","UnblendedCost"]})");
    return {
        {"DescribeRegions", "ec2", "Action=DescribeRegions&Version=2016-11-15", nullptr},
        {"DescribeInstances", "ec2", "Action=DescribeInstances&Version=2016-11-15&MaxResults=1000", nullptr},
        {"GetMetricStatistics", "monitoring", statistics, nullptr},
        {"ListMetrics (ALB)", "monitoring",
         "Action=ListMetrics&Version=2010-08-01&Namespace=AWS%2FApplicationELB&Dimensions.member.1.Name="
         "LoadBalancer&Dimensions.member.1.Value=app%2Fweb-alb%2F50dc6c495c0c9188",
         nullptr},
        {"DescribeAlarms", "monitoring",
         "Action=DescribeAlarms&Version=2010-08-01&AlarmTypes.member.1=MetricAlarm&AlarmTypes.member.2="
         "CompositeAlarm",
         nullptr},
        {"DescribeLoadBalancers", "elasticloadbalancing", "Action=DescribeLoadBalancers&Version=2015-12-01",
         nullptr},
        {"DescribeDBInstances", "rds", "Action=DescribeDBInstances&Version=2014-10-31", nullptr},
        {"GetCostAndUsage", "ce", costs, "AWSInsightsIndexService.GetCostAndUsage"},
    };
}

httplib::Request signed_request(const workload& w, std::uint16_t port) {
    emu::sigv4::http_request r;
    std::string host = "127.0.0.1:";
    host.append(std::to_string(port));
    r.headers.emplace_back("Host", host);
    r.headers.emplace_back("Content-Type", w.target != nullptr
                                               ? "application/x-amz-json-1.1"
                                               : "application/x-www-form-urlencoded; charset=utf-8");
    if (w.target != nullptr) {
        r.headers.emplace_back("X-Amz-Target", w.target);
    }
    r.body = w.body;
    emu::sigv4::sign(r, {"AKIDEXAMPLE", "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY", ""}, "us-east-1",
                     w.service, std::chrono::system_clock::now());
    httplib::Request req;
    req.method = r.method;
    req.path = r.target;
    req.body = r.body;
    for (const auto& [k, v] : r.headers) {
        req.headers.emplace(k, v);
    }
    return req;
}

struct result {
    std::size_t requests = 0;
    std::size_t failures = 0;
    double seconds = 0;
    double p50_us = 0;
    double p99_us = 0;
};

result run(const workload& w, std::uint16_t port, int threads, double seconds) {
    constexpr std::size_t max_per_thread = 2'000'000;  // bounds the loop whatever the machine
    std::vector<std::vector<float>> latencies(static_cast<std::size_t>(threads));
    std::atomic<std::size_t> failures{0};
    const auto request = signed_request(w, port);
    const auto deadline = clock_type::now() + std::chrono::duration<double>(seconds);
    const auto started = clock_type::now();
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(threads));
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            httplib::Client client("127.0.0.1", port);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true);
            auto& mine = latencies[static_cast<std::size_t>(t)];
            mine.reserve(100000);
            while (clock_type::now() < deadline && mine.size() < max_per_thread) {
                const auto begin = clock_type::now();
                const auto response = client.send(request);
                const auto end = clock_type::now();
                if (!response || response->status != 200) {
                    if (failures++ == 0) {
                        std::fprintf(stderr, "  first failure: %s\n",
                                     response ? std::to_string(response->status).c_str()
                                              : httplib::to_string(response.error()).c_str());
                    }
                }
                mine.push_back(std::chrono::duration<float, std::micro>(end - begin).count());
            }
        });
    }
    for (auto& w2 : workers) {
        w2.join();
    }
    result r;
    r.seconds = std::chrono::duration<double>(clock_type::now() - started).count();
    std::vector<float> all;
    for (const auto& l : latencies) {
        all.insert(all.end(), l.begin(), l.end());
    }
    std::sort(all.begin(), all.end());
    r.requests = all.size();
    r.failures = failures.load();
    if (!all.empty()) {
        r.p50_us = all[all.size() / 2];
        r.p99_us = all[all.size() * 99 / 100];
    }
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    std::string scenario_path = AWS_EMULATOR_DEMO_SCENARIO;
    int threads = 4;
    double seconds = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--scenario") == 0) {
            scenario_path = argv[i + 1];
        } else if (std::strcmp(argv[i], "--threads") == 0) {
            threads = std::clamp(std::atoi(argv[i + 1]), 1, 64);
        } else if (std::strcmp(argv[i], "--seconds") == 0) {
            seconds = std::clamp(std::atof(argv[i + 1]), 0.1, 60.0);
        }
    }
    try {
        emu::server server{emu::scenario::from_file(scenario_path)};
        server.start();
        std::printf("emulator %s, %d client threads with keep-alive, %.1f s per operation, %u cores\n",
                    server.base_url().c_str(), threads, seconds, std::thread::hardware_concurrency());
        std::printf("%-24s %10s %10s %10s %10s %8s\n", "operation", "requests", "req/s", "p50 us", "p99 us",
                    "errors");
        for (const auto& w : workloads()) {
            const auto r = run(w, server.port(), threads, seconds);
            std::printf("%-24s %10zu %10.0f %10.0f %10.0f %8zu\n", w.name, r.requests,
                        static_cast<double>(r.requests) / r.seconds, r.p50_us, r.p99_us, r.failures);
            server.clear_requests();
        }
        server.stop();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "aws_emulator_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
