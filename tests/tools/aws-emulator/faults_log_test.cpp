// Injected faults, the request log (also under concurrency), the admin endpoints and TLS.
#include "test_support.hpp"

#include <nlohmann/json.hpp>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace {

using namespace emu_test;
using json = nlohmann::json;

service_call describe_instances() {
    return query("ec2", "DescribeInstances");
}

std::vector<int> statuses(client& c, const service_call& call, int n) {
    std::vector<int> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        out.push_back(c.send(call).status);
    }
    return out;
}

TEST(faults, fail_once_then_succeed) {
    const auto server = start();
    server->add_fault({.operation = "DescribeInstances", .kind = emu::fault_kind::throttling, .times = 1});
    client c(*server);
    EXPECT_EQ(statuses(c, describe_instances(), 3), (std::vector<int>{503, 200, 200}));
}

TEST(faults, fail_from_the_third_call_on) {
    const auto server = start();
    server->add_fault(
        {.operation = "DescribeInstances", .kind = emu::fault_kind::internal_error, .skip_first = 2});
    client c(*server);
    EXPECT_EQ(statuses(c, describe_instances(), 5), (std::vector<int>{200, 200, 500, 500, 500}));
}

TEST(faults, apply_only_to_their_region_operation_and_key) {
    const auto server = start();
    server->add_fault({.operation = "DescribeInstances",
                       .region = "eu-central-1",
                       .kind = emu::fault_kind::unauthorized_operation});
    client c(*server);
    EXPECT_EQ(c.send(describe_instances()).status, 200);
    EXPECT_EQ(c.send(query("ec2", "DescribeVolumes")).status, 200);
    c.region = "eu-central-1";
    const auto r = c.send(describe_instances());
    EXPECT_EQ(r.status, 403);
    EXPECT_EQ(r.error_code(), "UnauthorizedOperation");
    EXPECT_EQ(c.send(query("ec2", "DescribeVolumes")).status, 200);

    server->clear_faults();
    server->add_fault({.access_key = "AKIDOTHER", .kind = emu::fault_kind::access_denied});
    EXPECT_EQ(c.send(describe_instances()).status, 200);
}

struct dialect_case {
    const char* name;
    emu::fault_kind kind;
    service_call call;
    int status;
    const char* code;
};

class fault_dialects : public ::testing::TestWithParam<dialect_case> {};

TEST_P(fault_dialects, answer_with_the_services_code_and_status) {
    const auto& c = GetParam();
    const auto server = start();
    server->add_fault({.kind = c.kind});
    client cl(*server);
    const auto r = cl.send(c.call);
    EXPECT_EQ(r.status, c.status) << r.body;
    EXPECT_EQ(r.error_code(), c.code) << r.body;
    const auto log = server->requests();
    ASSERT_EQ(log.size(), 1U);
    EXPECT_EQ(log[0].fault, emu::to_string(c.kind));
    EXPECT_EQ(log[0].error_code, c.code);
}

service_call ce_call() {
    return cost(
        "GetCostForecast",
        R"({"TimePeriod":{"Start":"2024-05-15","End":"2024-05-31"},"Metric":"BLENDED_COST","Granularity":"MONTHLY"})");
}

INSTANTIATE_TEST_SUITE_P(
    all, fault_dialects,
    ::testing::Values(dialect_case{"ec2_throttling", emu::fault_kind::throttling, describe_instances(), 503,
                                   "RequestLimitExceeded"},
                      dialect_case{"cloudwatch_throttling", emu::fault_kind::throttling,
                                   query("monitoring", "ListMetrics"), 400, "Throttling"},
                      dialect_case{"elb_throttling", emu::fault_kind::throttling,
                                   query("elasticloadbalancing", "DescribeLoadBalancers"), 400, "Throttling"},
                      dialect_case{"ce_throttling", emu::fault_kind::throttling, ce_call(), 400,
                                   "LimitExceededException"},
                      dialect_case{"ce_limit_exceeded", emu::fault_kind::limit_exceeded, ce_call(), 400,
                                   "LimitExceededException"},
                      dialect_case{"ce_data_unavailable", emu::fault_kind::data_unavailable, ce_call(), 400,
                                   "DataUnavailableException"},
                      dialect_case{"ce_access_denied", emu::fault_kind::access_denied, ce_call(), 400,
                                   "AccessDeniedException"},
                      dialect_case{"rds_access_denied", emu::fault_kind::access_denied,
                                   query("rds", "DescribeDBInstances"), 403, "AccessDenied"},
                      dialect_case{"ec2_unauthorized", emu::fault_kind::unauthorized_operation,
                                   describe_instances(), 403, "UnauthorizedOperation"},
                      dialect_case{"cloudwatch_limit", emu::fault_kind::limit_exceeded,
                                   query("monitoring", "DescribeAlarms"), 400, "LimitExceeded"},
                      dialect_case{"ec2_internal", emu::fault_kind::internal_error, describe_instances(), 500,
                                   "InternalError"},
                      dialect_case{"rds_unavailable", emu::fault_kind::service_unavailable,
                                   query("rds", "DescribeDBInstances"), 503, "ServiceUnavailable"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(faults, bare_status_has_no_body) {
    const auto server = start();
    server->add_fault({.kind = emu::fault_kind::http_status, .status = 503, .with_body = false, .times = 1});
    server->add_fault({.kind = emu::fault_kind::http_status, .status = 500, .skip_first = 1, .times = 1});
    client c(*server);
    const auto bare = c.send(ce_call());
    EXPECT_EQ(bare.status, 503);
    EXPECT_TRUE(bare.body.empty());
    EXPECT_EQ(bare.headers.count("x-amzn-ErrorType"), 0U);
    const auto with_body = c.send(describe_instances());
    EXPECT_EQ(with_body.status, 500);
    EXPECT_EQ(with_body.error_code(), "InternalError");
}

TEST(faults, custom_error_code_and_message) {
    const auto server = start();
    server->add_fault({.operation = "DescribeVolumes",
                       .kind = emu::fault_kind::error,
                       .status = 400,
                       .code = "InvalidVolume.NotFound",
                       .message = "gone"});
    client c(*server);
    const auto r = c.send(query("ec2", "DescribeVolumes"));
    EXPECT_EQ(r.error_code(), "InvalidVolume.NotFound");
    EXPECT_EQ(r.text("//Error/Message"), "gone");
}

TEST(faults, dropped_connection_gives_no_answer_and_the_next_call_works) {
    const auto server = start();
    server->add_fault({.kind = emu::fault_kind::drop_connection, .times = 1});
    client c(*server);
    EXPECT_FALSE(c.send(describe_instances()).transport_ok);
    EXPECT_EQ(c.send(describe_instances()).status, 200);
    const auto log = server->requests();
    ASSERT_EQ(log.size(), 2U);
    EXPECT_EQ(log[0].status, 0);
    EXPECT_EQ(log[0].fault, "drop_connection");
}

TEST(faults, malformed_body_is_cut_xml) {
    const auto server = start();
    server->add_fault({.operation = "DescribeRegions", .kind = emu::fault_kind::malformed_body});
    client c(*server);
    const auto r = c.send(query("ec2", "DescribeRegions"));
    EXPECT_EQ(r.status, 200);
    pugi::xml_document doc;
    EXPECT_FALSE(doc.load_string(r.body.c_str())) << r.body;
}

TEST(faults, delayed_answer_still_arrives_and_stop_cuts_the_wait_short) {
    const auto server = start();
    server->add_fault({.kind = emu::fault_kind::delay, .delay = std::chrono::milliseconds(20), .times = 1});
    client c(*server);
    EXPECT_EQ(c.send(describe_instances()).status, 200);
    EXPECT_EQ(server->requests().at(0).fault, "delay");

    server->add_fault({.kind = emu::fault_kind::delay, .delay = std::chrono::hours(1)});
    std::thread caller([&] { (void)c.send(describe_instances()); });
    httplib::Client admin("127.0.0.1", server->port());
    const auto waiting = [&] {
        const auto r = admin.Get("/_emulator/faults");
        return r && json::parse(r->body)["faults"][1]["applied"] == 1;
    };
    while (!waiting()) {
        std::this_thread::yield();
    }
    server->stop();  // must not wait for the hour
    caller.join();
}

TEST(faults, scenario_faults_come_back_on_reset) {
    std::string s = base_scenario;
    s.insert(s.rfind('}'), R"(,"faults":[{"operation":"DescribeRegions","kind":"throttling","times":1}])");
    const auto server = start(s);
    client c(*server);
    EXPECT_EQ(statuses(c, query("ec2", "DescribeRegions"), 2), (std::vector<int>{503, 200}));
    server->reset();
    EXPECT_TRUE(server->requests().empty());
    EXPECT_EQ(statuses(c, query("ec2", "DescribeRegions"), 2), (std::vector<int>{503, 200}));
    server->clear_faults();
    EXPECT_EQ(c.send(query("ec2", "DescribeRegions")).status, 200);
}

// --- request log ------------------------------------------------------------------------------------

TEST(request_log, records_every_field_in_arrival_order) {
    const auto server = start();
    client c(*server);
    (void)c.send(
        query("rds", "DescribeDBInstances", "Filters.member.1.Name=engine&Filters.member.1.Value.1=mysql"));
    (void)c.send(cost(
        "GetCostAndUsage",
        R"({"TimePeriod":{"Start":"2024-05-01","End":"2024-05-02"},"Granularity":"MONTHLY","Metrics":["BlendedCost","UnblendedCost"]})"));
    c.region = "eu-central-1";
    (void)c.send(query("ec2", "DescribeVolumes", "VolumeId.1=vol-0fffffffffffffff"));

    const auto log = server->requests();
    ASSERT_EQ(log.size(), 3U);
    EXPECT_EQ(log[0].sequence, 1U);
    EXPECT_EQ(log[0].service, "rds");
    EXPECT_EQ(log[0].operation, "DescribeDBInstances");
    EXPECT_EQ(log[0].region, "us-east-1");
    EXPECT_EQ(log[0].access_key, "AKIDEXAMPLE");
    EXPECT_EQ(log[0].parameters.at("Filters.member.1.Value.1"), "mysql");
    EXPECT_EQ(log[0].status, 200);
    EXPECT_EQ(log[1].service, "ce");
    EXPECT_EQ(log[1].parameters.at("TimePeriod.Start"), "2024-05-01");
    EXPECT_EQ(log[1].parameters.at("Metrics.2"), "UnblendedCost");
    EXPECT_EQ(log[2].status, 400);
    EXPECT_EQ(log[2].error_code, "InvalidVolume.NotFound");
    EXPECT_EQ(log[2].region, "eu-central-1");
    EXPECT_EQ(server->count("DescribeVolumes"), 1U);
    EXPECT_EQ(server->count("DescribeVolumes", "us-east-1"), 0U);
    EXPECT_EQ(server->count("GetCostAndUsage", "us-east-1"), 1U);
    server->clear_requests();
    EXPECT_EQ(server->count("DescribeDBInstances"), 0U);
}

TEST(request_log, stays_consistent_under_concurrent_clients) {
    const auto server = start();
    constexpr int threads = 6;
    constexpr int per_thread = 40;
    std::atomic<int> ok{0};
    std::vector<std::thread> workers;
    workers.reserve(threads);
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            client c(*server);
            c.region = t % 2 == 0 ? "us-east-1" : "eu-central-1";
            for (int i = 0; i < per_thread; ++i) {
                if (c.send(describe_instances()).status == 200) {
                    ++ok;
                }
            }
        });
    }
    std::thread reader([&] {
        while (ok.load() < threads * per_thread) {
            (void)server->requests();
            (void)server->count("DescribeInstances");
            std::this_thread::yield();
        }
    });
    for (auto& w : workers) {
        w.join();
    }
    reader.join();
    EXPECT_EQ(ok.load(), threads * per_thread);
    const auto log = server->requests();
    ASSERT_EQ(log.size(), static_cast<std::size_t>(threads * per_thread));
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].sequence, i + 1);
    }
    EXPECT_EQ(server->count("DescribeInstances", "eu-central-1"),
              static_cast<std::size_t>(threads / 2 * per_thread));
}

TEST(request_log, concurrent_faults_fire_exactly_as_often_as_asked) {
    const auto server = start();
    server->add_fault({.kind = emu::fault_kind::throttling, .skip_first = 10, .times = 25});
    std::atomic<int> throttled{0};
    std::vector<std::thread> workers;
    workers.reserve(4);
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&] {
            client c(*server);
            for (int i = 0; i < 30; ++i) {
                if (c.send(describe_instances()).status == 503) {
                    ++throttled;
                }
            }
        });
    }
    for (auto& w : workers) {
        w.join();
    }
    EXPECT_EQ(throttled.load(), 25);
}

// --- admin endpoints ------------------------------------------------------------------------------

TEST(admin, faults_and_requests_over_http) {
    const auto server = start();
    httplib::Client admin("127.0.0.1", server->port());
    auto added = admin.Post("/_emulator/faults",
                            R"([{"operation":"DescribeAlarms","kind":"throttling","times":1},
                                {"operation":"ListMetrics","kind":"drop_connection","region":"eu-west-1"}])",
                            "application/json");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->status, 200);
    EXPECT_EQ(json::parse(added->body)["ids"].size(), 2U);

    client c(*server);
    EXPECT_EQ(c.send(query("monitoring", "DescribeAlarms")).status, 400);
    EXPECT_EQ(c.send(query("monitoring", "DescribeAlarms")).status, 200);

    const auto listed = admin.Get("/_emulator/requests?operation=DescribeAlarms");
    const auto body = json::parse(listed->body);
    EXPECT_EQ(body["requests"].size(), 2U);
    EXPECT_EQ(body["requests"][0]["error_code"], "Throttling");
    EXPECT_EQ(body["counts"]["DescribeAlarms"], 2);
    EXPECT_EQ(body["counts_by_region"]["DescribeAlarms"]["us-east-1"], 2);

    const auto faults = json::parse(admin.Get("/_emulator/faults")->body)["faults"];
    EXPECT_EQ(faults[0]["applied"], 1);
    EXPECT_EQ(faults[0]["matched"], 2);

    EXPECT_EQ(admin.Delete("/_emulator/faults")->status, 200);
    EXPECT_TRUE(json::parse(admin.Get("/_emulator/faults")->body)["faults"].empty());
    EXPECT_EQ(admin.Post("/_emulator/reset", "", "application/json")->status, 200);
    EXPECT_TRUE(server->requests().empty());
}

TEST(admin, bad_fault_is_refused_with_the_reason) {
    const auto server = start();
    httplib::Client admin("127.0.0.1", server->port());
    const auto r = admin.Post("/_emulator/faults", R"({"kind":"meltdown"})", "application/json");
    EXPECT_EQ(r->status, 400);
    EXPECT_NE(json::parse(r->body)["error"].get<std::string>().find("unknown fault kind \"meltdown\""),
              std::string::npos);
}

// --- TLS ----------------------------------------------------------------------------------------------

TEST(tls, serves_https_with_a_certificate_for_loopback) {
    emu::server server{emu::scenario::from_json(base_scenario), fixed_clock()};
    server.start(0, true);
    EXPECT_EQ(server.base_url().rfind("https://127.0.0.1:", 0), 0U);
    const auto pem =
        std::filesystem::temp_directory_path() / ("emulator-" + std::to_string(server.port()) + ".pem");
    std::ofstream(pem) << server.certificate_pem();
    httplib::SSLClient https("127.0.0.1", server.port());
    https.set_ca_cert_path(pem.c_str());
    https.enable_server_certificate_verification(true);
    const auto r = https.Get("/_emulator/health");
    ASSERT_TRUE(r) << httplib::to_string(r.error());
    EXPECT_EQ(r->status, 200);
    std::filesystem::remove(pem);
}

TEST(lifecycle, restarts_and_refuses_a_busy_port) {
    emu::server first{emu::scenario::from_json(base_scenario)};
    first.start();
    emu::server second{emu::scenario::from_json(base_scenario)};
    EXPECT_THROW(second.start(first.port()), std::runtime_error);
    const auto port = first.port();
    first.stop();
    first.stop();
    second.start(port);
    EXPECT_EQ(second.port(), port);
}

}  // namespace
