// Injected faults, the request log (also under concurrency), the admin endpoints and the server's life.
// HTTPS, dropped connections and malformed bodies are shown by boto3_test.py.
#include "test_support.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <array>
#include <atomic>
#include <cerrno>
#include <optional>
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

// --- faults below HTTP: what arrives on the socket ---------------------------------------------------

enum class ending { complete, closed, reset, silent };

struct exchange {
    int status = 0;  // 0: not even a status line
    std::string content_type;
    std::optional<std::size_t> announced;  // Content-Length
    std::string body;                      // as much of it as arrived
    ending end = ending::silent;
};

std::string header_value(std::string_view head, std::string_view name) {
    const auto at = head.find("\r\n" + std::string(name) + ": ");
    if (at == std::string_view::npos) {
        return {};
    }
    const auto begin = at + name.size() + 4;
    return std::string(head.substr(begin, head.find("\r\n", begin) - begin));
}

// Sends `call` on a fresh connection and reads until the answer is complete, the server closes or
// resets the connection, or `patience` passes without a byte.
exchange over_socket(const emu::server& server, const service_call& call,
                     std::chrono::milliseconds patience) {
    auto request = wire_request(server.port(), call);
    emu::sigv4::sign(request, demo_credentials, "us-east-1", call.service, at(fixed_now));
    std::string wire = request.method + " " + request.target + " HTTP/1.1\r\n";
    for (const auto& [name, value] : request.headers) {
        wire.append(name).append(": ").append(value).append("\r\n");
    }
    wire += "Content-Length: " + std::to_string(request.body.size()) + "\r\n\r\n" + request.body;

    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(server.port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(patience);
    const timeval wait{
        seconds.count(),
        static_cast<suseconds_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(patience - seconds).count())};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof(wait));
    exchange out;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::send(fd, wire.data(), wire.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(wire.size())) {
        ::close(fd);
        return out;
    }
    std::string received;
    std::array<char, 4096> buffer{};
    for (;;) {
        if (const auto head_end = received.find("\r\n\r\n"); head_end != std::string::npos) {
            const std::string_view head(received.data(), head_end + 2);
            out.status = std::stoi(received.substr(9, 3));
            out.content_type = header_value(head, "Content-Type");
            if (const auto length = header_value(head, "Content-Length"); !length.empty()) {
                out.announced = std::stoul(length);
            }
            out.body = received.substr(head_end + 4);
            if (out.announced && out.body.size() >= *out.announced) {
                out.end = ending::complete;
                break;
            }
        }
        const auto n = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (n <= 0) {
            out.end = n == 0 ? ending::closed : errno == ECONNRESET ? ending::reset : ending::silent;
            break;
        }
        received.append(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
}

TEST(faults, break_the_answer_on_the_wire_as_their_kind_says) {
    struct wire_case {
        kind fault;
        service_call call;
        int status;
        ending end;
        const char* content_type;  // prefix
        std::string_view body;     // prefix of what arrived
        bool half;                 // exactly the first half of the announced body arrived
    };
    using namespace std::string_view_literals;
    const service_call instances = describe_instances();
    const wire_case cases[] = {
        // First: the server's only worker must come back once the client gives up waiting.
        {kind::timeout, instances, 0, ending::silent, "", "", false},
        {kind::authentication_failure, instances, 401, ending::complete, "text/xml", "<?xml", false},
        {kind::authentication_failure, request("monitoring ListMetrics"), 403, ending::complete, "text/xml",
         "<?xml", false},
        {kind::authentication_failure, forecast(), 400, ending::complete, "application/x-amz-json-1.1",
         R"({"__type":"UnrecognizedClientException")", false},
        {kind::reset_mid_body, request("ec2 DescribeRegions"), 200, ending::reset, "text/xml", "<?xml", true},
        {kind::truncated_body, request("monitoring DescribeAlarms"), 200, ending::closed, "text/xml", "<?xml",
         true},
        {kind::garbage_body, request("rds DescribeDBInstances"), 200, ending::complete, "text/xml",
         "\x89PNG\r\n\x1a\n\0\0"sv, false},
        {kind::empty_body, instances, 200, ending::complete, "", "", false},
        {kind::wrong_content_type, request("elasticloadbalancing DescribeLoadBalancers"), 200,
         ending::complete, "text/html", "<?xml", false},
        {kind::foreign_protocol, instances, 200, ending::complete, "application/x-amz-json-1.1",
         R"({"DescribeInstancesResult":{})", false},
        {kind::foreign_protocol, forecast(), 200, ending::complete, "text/xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GetCostForecastResponse", false},
    };
    emu::server_options options;
    options.clock = [] { return at(fixed_now); };
    options.threads = 1;
    emu::server server(emu::scenario::from_json(base_scenario), std::move(options));
    server.start();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(emu::to_string(c.fault)) + " " + c.call.service + " " + c.call.target);
        server.reset();
        server.add_fault({.kind = c.fault, .times = 1});
        const auto got = over_socket(
            server, c.call,
            c.fault == kind::timeout ? std::chrono::milliseconds(200) : std::chrono::milliseconds(30000));
        EXPECT_EQ(got.status, c.status);
        EXPECT_EQ(got.end, c.end);
        EXPECT_EQ(got.content_type.rfind(c.content_type, 0), 0U) << got.content_type;
        EXPECT_EQ(got.body.substr(0, c.body.size()), c.body);
        if (c.half) {
            EXPECT_EQ(got.body.size(), got.announced.value_or(0) / 2);
        } else if (c.end == ending::complete) {
            EXPECT_EQ(got.body.empty(), c.fault == kind::empty_body);
        }
        ASSERT_EQ(server.requests().size(), 1U);
        EXPECT_EQ(server.requests()[0].fault, emu::to_string(c.fault));
    }
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
