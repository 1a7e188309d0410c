#include "faults.hpp"

#include <array>

namespace orvane::tessel::emulator::detail {
namespace {

bool matches(const std::string& pattern, std::string_view value) {
    return pattern.empty() || pattern == "*" || pattern == value;
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

}  // namespace

bool is_error_kind(fault_kind kind) {
    return kind != fault_kind::delay && kind != fault_kind::drop_connection &&
           kind != fault_kind::malformed_body;
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
    const auto column = static_cast<std::size_t>(service.wire);
    std::string code;
    std::string message;
    int status = 400;
    for (const auto& k : error_table()) {
        if (k.kind == f.kind) {
            const auto& e = k.by_protocol.at(column);
            code = e.code;
            status = e.status;
            message = e.message != nullptr
                          ? e.message
                          : "User: arn:aws:iam::" + std::string(account_id) +
                                ":user/emulator is not authorized to perform: " +
                                std::string(service.signing_name == "monitoring" ? "cloudwatch"
                                                                                 : service.signing_name) +
                                ":" + std::string(operation);
        }
    }
    if (f.kind == fault_kind::http_status || f.kind == fault_kind::error) {
        status = f.status;
        code = status >= 500 ? (service.wire == protocol::ec2 ? "InternalError" : "InternalFailure")
                             : "BadRequest";
        message = "HTTP " + std::to_string(status);
    }
    if (!f.code.empty()) {
        code = f.code;
    }
    if (!f.message.empty()) {
        message = f.message;
    }
    if (f.status != 0) {
        status = f.status;
    }
    return {code, message, status, status < 500};
}

}  // namespace orvane::tessel::emulator::detail
