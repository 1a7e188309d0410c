// Server-side SigV4 verification and the error each service answers for each failure.
#pragma once

#include "aws_emulator/sigv4.hpp"
#include "common.hpp"

#include <optional>
#include <string>

namespace orvane::tessel::emulator::detail {

enum class auth_failure {
    none,
    missing,         // no Authorization header
    malformed,       // Authorization or X-Amz-Date not understood
    unknown_key,     // access key of no account
    invalid_token,   // session token missing, unexpected or wrong
    expired,         // X-Amz-Date outside the 15-minute window
    bad_signature,   // wrong secret, altered request, wrong scope
    region_disabled  // a region the account has not enabled
};

struct authorization {
    std::string access_key;
    sigv4::scope scope;
    std::vector<std::string> signed_headers;
    std::string signature;
};

[[nodiscard]] std::optional<authorization> parse_authorization(std::string_view header);

struct auth_result {
    auth_failure failure = auth_failure::none;
    std::string detail;  // message text for the failures that carry one
    const account* acct = nullptr;
    std::string access_key;
};

// Verifies `request` (as received) against the scenario's credentials at time `now`.
[[nodiscard]] auth_result verify(const scenario_model& model, const sigv4::http_request& request,
                                 const authorization& auth, seconds_t now);

// The error a service of protocol `wire` answers for a failure.
[[nodiscard]] api_error auth_error(protocol wire, auth_failure failure, const std::string& detail);

}  // namespace orvane::tessel::emulator::detail
