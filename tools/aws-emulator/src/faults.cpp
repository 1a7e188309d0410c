#include "faults.hpp"

#include "auth.hpp"

#include <poll.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>

namespace orvane::tessel::emulator {
namespace detail {
namespace {

using namespace std::string_view_literals;

bool matches(const std::string& pattern, std::string_view value) {
    return pattern.empty() || pattern == "*" || pattern == value;
}

struct kind_entry {
    fault_kind kind;
    std::string_view name;
    fault_effect effect;
};

constexpr std::array<kind_entry, 20> kinds{{
    {fault_kind::access_denied, "access_denied", fault_effect::error},
    {fault_kind::unauthorized_operation, "unauthorized_operation", fault_effect::error},
    {fault_kind::throttling, "throttling", fault_effect::error},
    {fault_kind::data_unavailable, "data_unavailable", fault_effect::error},
    {fault_kind::limit_exceeded, "limit_exceeded", fault_effect::error},
    {fault_kind::internal_error, "internal_error", fault_effect::error},
    {fault_kind::service_unavailable, "service_unavailable", fault_effect::error},
    {fault_kind::http_status, "http_status", fault_effect::error},
    {fault_kind::error, "error", fault_effect::error},
    {fault_kind::delay, "delay", fault_effect::delay},
    {fault_kind::drop_connection, "drop_connection", fault_effect::drop},
    {fault_kind::malformed_body, "malformed_body", fault_effect::reshape},
    {fault_kind::authentication_failure, "authentication_failure", fault_effect::error},
    {fault_kind::timeout, "timeout", fault_effect::hold},
    {fault_kind::reset_mid_body, "reset_mid_body", fault_effect::reset},
    {fault_kind::truncated_body, "truncated_body", fault_effect::cut},
    {fault_kind::garbage_body, "garbage_body", fault_effect::reshape},
    {fault_kind::empty_body, "empty_body", fault_effect::reshape},
    {fault_kind::wrong_content_type, "wrong_content_type", fault_effect::reshape},
    {fault_kind::foreign_protocol, "foreign_protocol", fault_effect::reshape},
}};

const kind_entry& entry_of(fault_kind kind) {
    for (const auto& e : kinds) {
        if (e.kind == kind) {
            return e;
        }
    }
    return kinds.front();  // unreachable: every enumerator has a row
}

struct dialect_error {
    const char* code;
    int status;
    const char* message;
};

struct kind_errors {
    fault_kind kind;
    std::array<dialect_error, 3> by_protocol;  // ec2, query, json
};

// What each service really answers; {nullptr} entries are filled in by fault_error.
const std::array<kind_errors, 7>& error_table() {
    static const std::array<kind_errors, 7> table{{
        {fault_kind::access_denied,
         {{{"AccessDenied", 403, nullptr},
           {"AccessDenied", 403, nullptr},
           {"AccessDeniedException", 400, nullptr}}}},
        {fault_kind::unauthorized_operation,
         {{{"UnauthorizedOperation", 403, "You are not authorized to perform this operation."},
           {"UnauthorizedOperation", 403, "You are not authorized to perform this operation."},
           {"UnauthorizedOperation", 403, "You are not authorized to perform this operation."}}}},
        {fault_kind::throttling,
         {{{"RequestLimitExceeded", 503, "Request limit exceeded."},
           {"Throttling", 400, "Rate exceeded"},
           {"LimitExceededException", 400,
            "You made too many calls in a short period of time. Try again later."}}}},
        {fault_kind::data_unavailable,
         {{{"DataUnavailable", 400, "Data is not available."},
           {"DataUnavailable", 400, "Data is not available."},
           {"DataUnavailableException", 400,
            "Data is not available. Please try to adjust the time period."}}}},
        {fault_kind::limit_exceeded,
         {{{"RequestLimitExceeded", 503, "Request limit exceeded."},
           {"LimitExceeded", 400, "The maximum number of requests was exceeded."},
           {"LimitExceededException", 400,
            "You made too many calls in a short period of time. Try again later."}}}},
        {fault_kind::internal_error,
         {{{"InternalError", 500, "An internal error has occurred."},
           {"InternalFailure", 500,
            "The request processing has failed because of an unknown error, exception or failure."},
           {"InternalFailure", 500,
            "The request processing has failed because of an unknown error, exception or failure."}}}},
        {fault_kind::service_unavailable,
         {{{"Unavailable", 503, "The server is overloaded and can't handle the request."},
           {"ServiceUnavailable", 503, "Service is unavailable. Please try again later."},
           {"ServiceUnavailable", 503, "Service is unavailable. Please try again later."}}}},
    }};
    return table;
}

api_error kind_default(const fault& f, const service_info& service, std::string_view operation,
                       std::string_view account_id) {
    if (f.kind == fault_kind::authentication_failure) {
        return auth_error(service.wire, auth_failure::unknown_key, "");
    }
    if (f.kind == fault_kind::http_status || f.kind == fault_kind::error) {
        const int status = f.status;
        return {status >= 500 ? (service.wire == protocol::ec2 ? "InternalError" : "InternalFailure")
                              : "BadRequest",
                "HTTP " + std::to_string(status), status};
    }
    const auto column = static_cast<std::size_t>(service.wire);
    for (const auto& k : error_table()) {
        if (k.kind == f.kind) {
            const auto& e = k.by_protocol.at(column);
            return {e.code,
                    e.message != nullptr
                        ? e.message
                        : "User: arn:aws:iam::" + std::string(account_id) +
                              ":user/emulator is not authorized to perform: " +
                              std::string(service.signing_name == "monitoring" ? "cloudwatch"
                                                                               : service.signing_name) +
                              ":" + std::string(operation),
                    e.status};
        }
    }
    return {"BadRequest", "", 400};
}

// Binary noise: a PNG signature, NUL bytes, bytes that are not UTF-8, terminal escapes.
constexpr std::string_view garbage =
    "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\xc3\x28\x1b[2J\x7f\x01 ?%\xe2\x82"sv;

// A plausible answer of the other protocol: JSON for the XML services, XML for Cost Explorer.
reply foreign_answer(const service_info& service, std::string_view operation, std::string_view request_id) {
    if (service.wire != protocol::json) {
        std::string body = "{\"";
        body.append(operation).append("Result\":{},\"ResponseMetadata\":{\"RequestId\":\"");
        body.append(request_id).append("\"}}");
        return {200, "application/x-amz-json-1.1", std::move(body)};
    }
    const std::string response = std::string(operation) + "Response";
    const std::string result = std::string(operation) + "Result";
    xml_writer w;
    w.open(response, "http://ce.amazonaws.com/doc/" + std::string(service.version) + "/");
    w.empty(result);
    w.open("ResponseMetadata");
    w.leaf("RequestId", request_id);
    w.close("ResponseMetadata");
    w.close(response);
    return {200, "text/xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + w.take()};
}

}  // namespace

std::optional<fault_kind> fault_kind_named(std::string_view name) {
    for (const auto& e : kinds) {
        if (e.name == name) {
            return e.kind;
        }
    }
    return std::nullopt;
}

std::string fault_kind_names() {
    std::string list;
    for (const auto& e : kinds) {
        list.append(list.empty() ? "" : ", ").append(e.name);
    }
    return list;
}

fault_effect effect_of(fault_kind kind) {
    return entry_of(kind).effect;
}

std::size_t fault_registry::add(fault f) {
    const std::lock_guard lock(mutex_);
    entries_.push_back({next_id_, std::move(f), 0, 0});
    return next_id_++;
}

void fault_registry::clear() {
    const std::lock_guard lock(mutex_);
    entries_.clear();
}

void fault_registry::replace(const std::vector<fault>& faults) {
    const std::lock_guard lock(mutex_);
    entries_.clear();
    for (const auto& f : faults) {
        entries_.push_back({next_id_++, f, 0, 0});
    }
}

std::optional<fault> fault_registry::match(std::string_view operation, std::string_view region,
                                           std::string_view access_key) {
    const std::lock_guard lock(mutex_);
    std::optional<fault> chosen;
    for (auto& e : entries_) {
        if (!matches(e.f.operation, operation) || !matches(e.f.region, region) ||
            !matches(e.f.access_key, access_key)) {
            continue;
        }
        const auto call = e.matched++;  // this request's position among the fault's matches, from 0
        const bool due = call >= e.f.skip_first && (e.f.times == 0 || call < e.f.skip_first + e.f.times);
        if (due && !chosen) {
            ++e.applied;
            chosen = e.f;
        }
    }
    return chosen;
}

std::vector<fault_registry::entry> fault_registry::list() const {
    const std::lock_guard lock(mutex_);
    return entries_;
}

api_error fault_error(const fault& f, const service_info& service, std::string_view operation,
                      std::string_view account_id) {
    api_error e = kind_default(f, service, operation, account_id);
    if (!f.code.empty()) {
        e.code = f.code;
    }
    if (!f.message.empty()) {
        e.message = f.message;
    }
    if (f.status != 0) {
        e.status = f.status;
    }
    return {e.code, e.message, e.status, e.status < 500};
}

void reshape_answer(fault_kind kind, const service_info& service, std::string_view operation,
                    std::string_view request_id, reply& r) {
    switch (kind) {
        case fault_kind::malformed_body:
            r.body.resize(cut_length(r.body.size()));
            break;
        case fault_kind::garbage_body:
            r.body = garbage;
            break;
        case fault_kind::empty_body:
            r.body.clear();
            break;
        case fault_kind::wrong_content_type:
            r.content_type = "text/html; charset=utf-8";
            break;
        case fault_kind::foreign_protocol:
            r = foreign_answer(service, operation, request_id);
            break;
        default:
            break;
    }
}

std::size_t cut_length(std::size_t body_size) {
    return body_size / 2;
}

// A peer that has gone already needs neither; their failure changes nothing.
void close_connection(int fd) {
    static_cast<void>(::shutdown(fd, SHUT_RDWR));
}

void reset_connection(int fd) {
    // Dissolving a TCP socket's association sends a reset at once, unlike shutdown's FIN, and
    // leaves the descriptor valid for the server to close as usual.
    sockaddr unspecified{};
    unspecified.sa_family = AF_UNSPEC;
    static_cast<void>(::connect(fd, &unspecified, sizeof(unspecified)));
}

void hold_until_hangup(int fd, const std::function<bool()>& stopping) {
    pollfd watch{fd, POLLRDHUP, 0};
    while (fd >= 0 && !stopping()) {
        watch.revents = 0;
        const int ready = ::poll(&watch, 1, 50);
        if ((ready < 0 && errno != EINTR) ||
            (ready > 0 && (watch.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) != 0)) {
            return;
        }
    }
}

}  // namespace detail

std::string_view to_string(fault_kind kind) {
    return detail::entry_of(kind).name;
}

}  // namespace orvane::tessel::emulator
