// A loopback AWS: answers the EC2, CloudWatch, ELBv2, RDS and Cost Explorer operations that the module
// calls, from a scenario, with SigV4 verification, paging, injected faults and a request log.
//
// Typical in-process use:
//
//     using namespace orvane::tessel::emulator;
//     server aws{scenario::from_file("tools/aws-emulator/scenarios/demo.json")};
//     aws.start();                                   // 127.0.0.1, free port
//     aws.add_fault({.operation = "DescribeInstances", .region = "eu-central-1",
//                    .kind = fault_kind::throttling, .times = 1});
//     ... point the client at aws.base_url() ...
//     EXPECT_EQ(aws.count("DescribeInstances"), 2U);
//
// This header stays free of httplib and nlohmann/json so that tests including it compile fast.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::tessel::emulator {

namespace detail {
struct scenario_model;
}

// A scenario that cannot be read; what() names the JSON path and the problem,
// e.g. `accounts[0].regions.us-east-1.instances[2].state: unknown value "runing"`.
// The text is one line of valid UTF-8 whatever the file held: names and values from the file appear
// escaped, and a JSON syntax error is told by line, column and kind, never by the bytes read.
class scenario_error : public std::runtime_error {
public:
    explicit scenario_error(std::string_view what);
};

// A parsed, immutable scenario (format: docs/aws-emulator.md). Cheap to copy.
class scenario {
public:
    static scenario from_file(const std::filesystem::path& path);
    static scenario from_json(std::string_view text);

    // Access keys of all accounts, in file order.
    [[nodiscard]] std::vector<std::string> access_keys() const;
    [[nodiscard]] const detail::scenario_model& model() const { return *model_; }

private:
    explicit scenario(std::shared_ptr<const detail::scenario_model> model) : model_(std::move(model)) {}
    std::shared_ptr<const detail::scenario_model> model_;
};

enum class fault_kind {
    access_denied,           // AccessDenied (Query 403), AccessDeniedException (Cost Explorer 400)
    unauthorized_operation,  // UnauthorizedOperation 403
    throttling,              // EC2 RequestLimitExceeded 503, Query Throttling 400, CE LimitExceededException
    data_unavailable,        // Cost Explorer DataUnavailableException 400
    limit_exceeded,          // CE LimitExceededException, CloudWatch LimitExceeded, else as throttling
    internal_error,          // 500 with the service's InternalError/InternalFailure body
    service_unavailable,     // 503 with the service's Unavailable/ServiceUnavailable body
    http_status,             // bare status (`status`), with a generic error body or none (`with_body`)
    error,                   // any error: `code`, `status` and `message` as given
    delay,                   // answers normally after `delay`
    drop_connection,         // closes the connection without answering
    malformed_body,          // 200 with the real answer cut in half
    authentication_failure,  // what unknown credentials get: AuthFailure, InvalidClientTokenId, ...
    timeout,                 // never answers; the request is held until the client gives up
    reset_mid_body,          // 200 and the first half of the real body, then a TCP reset
    truncated_body,          // 200 announcing the whole body, its first half, then the connection closes
    garbage_body,            // 200 whose body is binary noise in no format at all
    empty_body,              // 200 with an empty body
    wrong_content_type,      // the real answer labelled text/html
    foreign_protocol,        // 200 in the other protocol: JSON to EC2 and Query, XML to Cost Explorer
};

[[nodiscard]] std::string_view to_string(fault_kind kind);

// A fault applies to the requests that match operation, region and access key (empty or "*": any).
// Every matching request counts; the first `skip_first` pass untouched, then `times` requests fail
// (0: all from then on). "Fails once then succeeds" is {times = 1}; "fails from the 3rd call on" is
// {skip_first = 2}.
struct fault {
    std::string operation{};
    std::string region{};
    std::string access_key{};
    fault_kind kind = fault_kind::throttling;
    int status = 0;  // 0: the service's usual status for the kind
    bool with_body = true;
    std::string code{};     // overrides the error code
    std::string message{};  // overrides the error message
    std::chrono::milliseconds delay{0};
    std::size_t skip_first = 0;
    std::size_t times = 0;
};

// Parses one fault from its JSON form (the same as in a scenario's "faults" array).
[[nodiscard]] fault parse_fault(std::string_view json);

struct request_record {
    std::uint64_t sequence = 0;  // arrival order, from 1
    std::string service;         // signing name: ec2, monitoring, elasticloadbalancing, rds, ce
    std::string operation;
    std::string region;
    std::string access_key;
    // Query parameters as sent (`Filters.member.1.Name`); JSON members flattened the same way
    // (`TimePeriod.Start`, `Metrics.1`).
    std::map<std::string, std::string> parameters;
    int status = 0;          // 0 when the connection was dropped
    std::string error_code;  // empty on success
    std::string fault;       // the fault kind applied, or empty
};

// What the server has seen since start(): cheap counters that benchmarks read while it runs.
struct traffic_counts {
    std::uint64_t requests = 0;        // AWS requests (admin endpoints excluded), answered or dropped
    std::uint64_t connections = 0;     // TCP connections accepted
    std::uint64_t tls_handshakes = 0;  // TLS handshakes completed, full or resumed
    std::uint64_t tls_resumed = 0;     // of those, the ones that resumed a session
};

struct server_options {
    // The emulator's "now": datapoint times, the SigV4 date window and Cost Explorer's "today".
    std::function<std::chrono::system_clock::time_point()> clock;
    std::size_t threads = 64;  // connection workers; each keep-alive connection holds one
    std::size_t keep_alive_max_requests = 100000;
    // Off: requests(), count() and the admin listing stay empty; traffic() still counts. For long
    // benchmarks, whose log would otherwise grow with every request.
    bool keep_request_log = true;
};

class server {
public:
    explicit server(scenario s, server_options options = {});
    ~server();
    server(const server&) = delete;
    server& operator=(const server&) = delete;

    // Binds 127.0.0.1:`port` (0: a free port) and serves on background threads. Throws
    // std::runtime_error when the port cannot be bound. With `tls` a self-signed certificate for
    // 127.0.0.1 and localhost is made first (see certificate_pem()).
    void start(std::uint16_t port = 0, bool tls = false);
    void stop();

    [[nodiscard]] std::uint16_t port() const;
    [[nodiscard]] std::string base_url() const;  // e.g. http://127.0.0.1:40123
    [[nodiscard]] std::string certificate_pem() const;

    // Faults added here come after the scenario's own; all of them stay until cleared.
    std::size_t add_fault(fault f);
    void clear_faults();  // removes all faults, the scenario's too

    [[nodiscard]] std::vector<request_record> requests() const;
    void clear_requests();
    [[nodiscard]] std::size_t count(std::string_view operation, std::string_view region = {}) const;

    // Unlike the request log, these are never cleared and cost no memory per request.
    [[nodiscard]] traffic_counts traffic() const;

    // Back to the scenario's faults with fresh call counts, and an empty request log.
    void reset();

private:
    struct impl;
    std::unique_ptr<impl> impl_;
};

}  // namespace orvane::tessel::emulator
