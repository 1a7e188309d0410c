// The first steps of an AWS request: what it says about itself, whether its signature holds, and which
// operation, region and handler it reaches. Every failure is the service's own error (api_error).
#pragma once

#include "auth.hpp"
#include "common.hpp"

#include <httplib.h>

#include <optional>
#include <string>
#include <string_view>

namespace orvane::tessel::emulator::detail {

// Cost Explorer's only region, and the one region that cannot be disabled.
inline constexpr std::string_view ce_region = "us-east-1";

// What a request says about itself, none of it trusted yet.
struct inbound {
    sigv4::http_request raw;
    param_map params;  // the query string's and a form body's
    const std::string* auth_header = nullptr;
    std::optional<authorization> auth;
    const service_info* service = nullptr;  // named by the credential scope, if it names a known one
    const service_info* dialect = nullptr;  // whose error format answers: `service`, else a guess
};
[[nodiscard]] inbound read_inbound(const httplib::Request& req);

// The request log's first view of a request: service, scope and parameters, before it is verified.
[[nodiscard]] request_record first_record(const inbound& in, const std::string& body);

// The account whose credential signed the request.
[[nodiscard]] const account& authenticate(const scenario_model& model, const inbound& in, seconds_t now);

// `name` is set as soon as the request names an operation, so that a refused one is logged by it.
[[nodiscard]] const operation_info& resolve_operation(const service_info& service,
                                                      const httplib::Request& req, const param_map& params,
                                                      std::string& name);
// `empty` answers for us-east-1 when the scenario holds nothing there.
[[nodiscard]] const region_data& resolve_region(const service_info& service, const account& acct,
                                                const std::string& region, const region_data& empty);

using handler = reply (*)(const call_context&);
[[nodiscard]] handler handler_for(std::string_view operation);

}  // namespace orvane::tessel::emulator::detail
