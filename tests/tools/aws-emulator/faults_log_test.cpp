// Injected faults, the request log (also under concurrency), the admin endpoints and the server's life.
// HTTPS, dropped connections and malformed bodies are shown by boto3_test.py.
#include "test_support.hpp"

#include <nlohmann/json.hpp>

#include <atomic>
#include <thread>
#include <tuple>

namespace {

using namespace emu_test;
using json = nlohmann::json;
using kind = emu::fault_kind;

service_call describe_instances() {
    return request("ec2 DescribeInstances");
}

service_call forecast() {
    return cost(
        "GetCostForecast",
        R"({"TimePeriod":{"Start":"2024-05-15","End":"2024-05-31"},"Metric":"BLENDED_COST","Granularity":"MONTHLY"})");
}

std::vector<int> statuses(client& c, const service_call& call, int n) {
    std::vector<int> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        out.push_back(c.send(call).status);
    }
    return out;
}

TEST(faults, fire_after_skip_first_for_times_calls) {
    const std::pair<emu::fault, std::vector<int>> cases[] = {
        {{.kind = kind::throttling, .times = 1}, {503, 200, 200}},
        {{.kind = kind::internal_error, .skip_first = 2}, {200, 200, 500, 500, 500}},
        {{.kind = kind::throttling, .skip_first = 1, .times = 2}, {200, 503, 503, 200}}};
    for (const auto& [fault, expected] : cases) {
        const auto server = start();
        server->add_fault(fault);
        client c(*server);
        EXPECT_EQ(statuses(c, describe_instances(), static_cast<int>(expected.size())), expected);
    }
}

TEST(faults, apply_only_to_their_region_operation_and_key) {
    const auto server = start();
    server->add_fault(
        {.operation = "DescribeInstances", .region = "eu-central-1", .kind = kind::unauthorized_operation});
    server->add_fault({.access_key = "AKIDOTHER", .kind = kind::access_denied});
    client c(*server);
    EXPECT_EQ(c.send(describe_instances()).status, 200);
    EXPECT_EQ(c.send(request("ec2 DescribeVolumes")).status, 200);
    c.region = "eu-central-1";
    EXPECT_EQ(c.send(describe_instances()).error_code(), "UnauthorizedOperation");
    EXPECT_EQ(c.send(request("ec2 DescribeVolumes")).status, 200);
}

TEST(faults, answer_in_each_services_dialect) {
    struct dialect_case {
        emu::fault fault;
        service_call call;
        int status;
        const char* code;  // empty: no body at all
    };
    const auto error = emu::fault{.kind = kind::error, .status = 400, .code = "InvalidVolume.NotFound"};
    const dialect_case cases[] = {
        {{.kind = kind::throttling}, describe_instances(), 503, "RequestLimitExceeded"},
        {{.kind = kind::throttling}, request("monitoring ListMetrics"), 400, "Throttling"},
        {{.kind = kind::throttling},
         request("elasticloadbalancing DescribeLoadBalancers"),
         400,
         "Throttling"},
        {{.kind = kind::throttling}, forecast(), 400, "LimitExceededException"},
        {{.kind = kind::limit_exceeded}, forecast(), 400, "LimitExceededException"},
        {{.kind = kind::access_denied}, forecast(), 400, "AccessDeniedException"},
        {{.kind = kind::access_denied}, request("rds DescribeDBInstances"), 403, "AccessDenied"},
        {{.kind = kind::limit_exceeded}, request("monitoring DescribeAlarms"), 400, "LimitExceeded"},
        {{.kind = kind::internal_error}, describe_instances(), 500, "InternalError"},
        {{.kind = kind::service_unavailable}, request("rds DescribeDBInstances"), 503, "ServiceUnavailable"},
        {{.kind = kind::http_status, .status = 500}, describe_instances(), 500, "InternalError"},
        {{.kind = kind::http_status, .status = 503, .with_body = false}, forecast(), 503, ""},
        {error, request("ec2 DescribeVolumes"), 400, "InvalidVolume.NotFound"}};
    const auto server = start();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(emu::to_string(c.fault.kind)) + " " + c.call.service + " " + c.call.target);
        server->reset();
        server->add_fault(c.fault);
        const auto r = client(*server).send(c.call);
        EXPECT_EQ(r.status, c.status) << r.body;
        EXPECT_EQ(r.error_code(), c.code) << r.body;
        EXPECT_EQ(r.body.empty(), *c.code == '\0') << r.body;
        const auto log = server->requests();
        ASSERT_EQ(log.size(), 1U);
        EXPECT_EQ(log[0].fault, emu::to_string(c.fault.kind));
        if (*c.code != '\0') {  // without a body the log still names the status's usual code
            EXPECT_EQ(log[0].error_code, c.code);
        }
        server->clear_faults();
    }
    server->add_fault({.kind = kind::error, .status = 400, .code = "Teapot", .message = "short and stout"});
    EXPECT_EQ(client(*server).send(describe_instances()).text("//Error/Message"), "short and stout");
}

TEST(faults, delayed_answer_still_arrives_and_stop_cuts_the_wait_short) {
    const auto server = start();
    server->add_fault({.kind = kind::delay, .delay = std::chrono::milliseconds(20), .times = 1});
    client c(*server);
    EXPECT_EQ(c.send(describe_instances()).status, 200);
    EXPECT_EQ(server->requests().at(0).fault, "delay");

    server->add_fault({.kind = kind::delay, .delay = std::chrono::hours(1)});
    std::thread caller([&] { (void)c.send(describe_instances()); });
    httplib::Client admin("127.0.0.1", server->port());
    const auto waiting = [&] {
        const auto r = admin.Get("/_emulator/faults");
        return r && json::parse(r->body)["faults"][1]["applied"] == 1;
    };
    for (int polls = 0; polls < 100000 && !waiting(); ++polls) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(waiting()) << "the hour-long delay never started";
    server->stop();  // must not wait for the hour
    caller.join();
}

TEST(faults, scenario_faults_come_back_on_reset) {
    std::string s = base_scenario;
    s.insert(s.rfind('}'), R"(,"faults":[{"operation":"DescribeRegions","kind":"throttling","times":1}])");
    const auto server = start(s);
    client c(*server);
    EXPECT_EQ(statuses(c, request("ec2 DescribeRegions"), 2), (std::vector<int>{503, 200}));
    server->reset();
    EXPECT_TRUE(server->requests().empty());
    EXPECT_EQ(statuses(c, request("ec2 DescribeRegions"), 2), (std::vector<int>{503, 200}));
    server->clear_faults();
    EXPECT_EQ(c.send(request("ec2 DescribeRegions")).status, 200);
}

// What each fault does on the wire is shown end to end, through the SDK, by the fault matrix
// (tests/aws/fault_matrix); here only what that cannot see: a held answer gives its worker back.
TEST(faults, held_answer_frees_the_only_worker_once_the_client_gives_up) {
    emu::server_options options;
    options.clock = [] { return at(fixed_now); };
    options.threads = 1;
    emu::server server(emu::scenario::from_json(base_scenario), std::move(options));
    server.start();
    server.add_fault({.kind = kind::timeout, .times = 1});
    EXPECT_FALSE(client(server, demo_credentials, std::chrono::milliseconds(200))
                     .send(describe_instances())
                     .transport_ok);
    EXPECT_EQ(client(server).send(describe_instances()).status, 200);
    ASSERT_EQ(server.requests().size(), 2U);
    EXPECT_EQ(server.requests()[0].fault, "timeout");
}

// --- request log ------------------------------------------------------------------------------------

// boto3_test.py reads sequence, status, error code, fault and access key; here the rest.
TEST(request_log, records_parameters_regions_and_counts) {
    const auto server = start();
    client c(*server);
    (void)c.send(
        request("rds DescribeDBInstances Filters.member.1.Name=engine&Filters.member.1.Value.1=mysql"));
    (void)c.send(cost(
        "GetCostAndUsage",
        R"({"TimePeriod":{"Start":"2024-05-01","End":"2024-05-02"},"Granularity":"MONTHLY","Metrics":["BlendedCost","UnblendedCost"]})"));
    c.region = "eu-central-1";
    (void)c.send(request("ec2 DescribeVolumes VolumeId.1=vol-0fffffffffffffff"));

    const auto log = server->requests();
    ASSERT_EQ(log.size(), 3U);
    EXPECT_EQ(std::tie(log[0].service, log[0].operation, log[0].region),
              std::make_tuple("rds", "DescribeDBInstances", "us-east-1"));
    EXPECT_EQ(log[0].parameters.at("Filters.member.1.Value.1"), "mysql");
    EXPECT_EQ(log[1].service, "ce");
    EXPECT_EQ(log[1].parameters.at("TimePeriod.Start"), "2024-05-01");
    EXPECT_EQ(log[1].parameters.at("Metrics.2"), "UnblendedCost");
    EXPECT_EQ(std::tie(log[2].region, log[2].status, log[2].error_code),
              std::make_tuple("eu-central-1", 400, "InvalidVolume.NotFound"));
    EXPECT_EQ(server->count("DescribeVolumes"), 1U);
    EXPECT_EQ(server->count("DescribeVolumes", "us-east-1"), 0U);
    EXPECT_EQ(server->count("GetCostAndUsage", "us-east-1"), 1U);
    server->clear_requests();
    EXPECT_EQ(server->count("DescribeDBInstances"), 0U);
}

// Runs `per_thread` calls on each of `threads` clients at once; thread t signs for region(t).
template <typename Region>
int concurrently(emu::server& server, int threads, int per_thread, int status, Region region) {
    std::atomic<int> hits{0};
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(threads));
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            client c(server);
            c.region = region(t);
            for (int i = 0; i < per_thread; ++i) {
                hits += c.send(describe_instances()).status == status ? 1 : 0;
            }
        });
    }
    for (auto& w : workers) {
        w.join();
    }
    return hits.load();
}

TEST(request_log, stays_consistent_under_concurrent_clients) {
    const auto server = start();
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done.load()) {
            (void)server->requests();
            (void)server->count("DescribeInstances");
            std::this_thread::yield();
        }
    });
    const auto ok =
        concurrently(*server, 6, 40, 200, [](int t) { return t % 2 == 0 ? "us-east-1" : "eu-central-1"; });
    done = true;
    reader.join();
    EXPECT_EQ(ok, 240);
    const auto log = server->requests();
    ASSERT_EQ(log.size(), 240U);
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].sequence, i + 1);
    }
    EXPECT_EQ(server->count("DescribeInstances", "eu-central-1"), 120U);
}

TEST(request_log, concurrent_faults_fire_exactly_as_often_as_asked) {
    const auto server = start();
    server->add_fault({.kind = kind::throttling, .skip_first = 10, .times = 25});
    EXPECT_EQ(concurrently(*server, 4, 30, 503, [](int) { return "us-east-1"; }), 25);
}

TEST(traffic, counts_requests_connections_and_handshakes_with_or_without_the_log) {
    for (const bool tls : {false, true}) {
        SCOPED_TRACE(tls ? "https" : "http");
        emu::server_options options;
        options.clock = [] { return at(fixed_now); };
        options.threads = 4;
        options.keep_request_log = false;
        emu::server server{emu::scenario::from_json(base_scenario), std::move(options)};
        server.start(0, tls);
        const auto signed_call = [&](httplib::Client& http) {
            auto request = wire_request(server.port(), describe_instances());
            emu::sigv4::sign(request, demo_credentials, "us-east-1", "ec2", at(fixed_now));
            httplib::Headers headers(request.headers.begin(), request.headers.end());
            const auto result = http.Post(request.target, headers, request.body, "");
            return result ? result->status : 0;
        };
        // Two keep-alive clients: two connections, one handshake each; admin calls are no AWS requests.
        std::vector<int> answers;
        for (int client_number = 0; client_number < 2; ++client_number) {
            httplib::Client http(server.base_url());
            http.enable_server_certificate_verification(false);
            http.set_keep_alive(true);
            for (int i = 0; i <= client_number; ++i) {
                answers.push_back(signed_call(http));
            }
            EXPECT_EQ(http.Get("/_emulator/health")->status, 200);
        }
        EXPECT_EQ(answers, (std::vector<int>{200, 200, 200}));
        const auto counted = server.traffic();
        EXPECT_EQ(std::make_tuple(counted.requests, counted.connections, counted.tls_handshakes),
                  std::make_tuple(3U, 2U, tls ? 2U : 0U));
        EXPECT_TRUE(server.requests().empty());
        EXPECT_EQ(server.count("DescribeInstances"), 0U);
    }
}

// --- admin endpoints and life cycle -----------------------------------------------------------------

// boto3_test.py adds faults, reads the log and resets over HTTP; the rest of the admin interface:
TEST(admin, lists_and_clears_faults_filters_requests_and_refuses_bad_faults) {
    const auto server = start();
    httplib::Client admin("127.0.0.1", server->port());
    const auto added =
        admin.Post("/_emulator/faults", R"([{"operation":"DescribeAlarms","kind":"throttling","times":1}])",
                   "application/json");
    ASSERT_TRUE(added);
    EXPECT_EQ(json::parse(added->body)["ids"].size(), 1U);
    client c(*server);
    EXPECT_EQ(statuses(c, request("monitoring DescribeAlarms"), 2), (std::vector<int>{400, 200}));
    (void)c.send(request("ec2 DescribeRegions"));

    const auto body = json::parse(admin.Get("/_emulator/requests?operation=DescribeAlarms")->body);
    EXPECT_EQ(body["requests"].size(), 2U);
    EXPECT_EQ(body["requests"][0]["error_code"], "Throttling");
    EXPECT_EQ(body["counts_by_region"]["DescribeAlarms"]["us-east-1"], 2);
    const auto faults = json::parse(admin.Get("/_emulator/faults")->body)["faults"];
    EXPECT_EQ(faults[0]["applied"], 1);
    EXPECT_EQ(faults[0]["matched"], 2);
    EXPECT_EQ(admin.Delete("/_emulator/faults")->status, 200);
    EXPECT_TRUE(json::parse(admin.Get("/_emulator/faults")->body)["faults"].empty());

    const auto refused = admin.Post("/_emulator/faults", R"({"kind":"meltdown"})", "application/json");
    EXPECT_EQ(refused->status, 400);
    EXPECT_NE(json::parse(refused->body)["error"].get<std::string>().find("unknown fault kind \"meltdown\""),
              std::string::npos);
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
