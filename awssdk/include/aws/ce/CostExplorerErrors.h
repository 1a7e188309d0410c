#pragma once

#include <aws/core/client/AWSError.h>
#include <aws/core/client/CoreErrors.h>
#include <utility>

namespace Aws {
namespace CostExplorer {

enum class CostExplorerErrors {
    INCOMPLETE_SIGNATURE = 0,
    INTERNAL_FAILURE = 1,
    INVALID_ACTION = 2,
    INVALID_CLIENT_TOKEN_ID = 3,
    INVALID_PARAMETER_COMBINATION = 4,
    INVALID_QUERY_PARAMETER = 5,
    INVALID_PARAMETER_VALUE = 6,
    MISSING_ACTION = 7,
    MISSING_AUTHENTICATION_TOKEN = 8,
    MISSING_PARAMETER = 9,
    OPT_IN_REQUIRED = 10,
    REQUEST_EXPIRED = 11,
    SERVICE_UNAVAILABLE = 12,
    THROTTLING = 13,
    VALIDATION = 14,
    ACCESS_DENIED = 15,
    RESOURCE_NOT_FOUND = 16,
    UNRECOGNIZED_CLIENT = 17,
    MALFORMED_QUERY_STRING = 18,
    SLOW_DOWN = 19,
    REQUEST_TIME_TOO_SKEWED = 20,
    INVALID_SIGNATURE = 21,
    SIGNATURE_DOES_NOT_MATCH = 22,
    INVALID_ACCESS_KEY_ID = 23,
    REQUEST_TIMEOUT = 24,
    NETWORK_CONNECTION = 99,

    UNKNOWN = 100,

    BILL_EXPIRATION = static_cast<int>(Aws::Client::CoreErrors::SERVICE_EXTENSION_START_RANGE) + 1,
    DATA_UNAVAILABLE,
    GENERATION_EXISTS,
    INVALID_NEXT_TOKEN,
    LIMIT_EXCEEDED,
    REQUEST_CHANGED,
    SERVICE_QUOTA_EXCEEDED,
    TOO_MANY_TAGS,
    UNKNOWN_MONITOR,
    UNKNOWN_SUBSCRIPTION,
    UNRESOLVABLE_USAGE_UNIT,
};

class CostExplorerError : public Aws::Client::AWSError<CostExplorerErrors> {
public:
    CostExplorerError() = default;
    CostExplorerError(const Aws::Client::AWSError<Aws::Client::CoreErrors>& rhs)
        : Aws::Client::AWSError<CostExplorerErrors>(rhs) {}  // NOLINT(google-explicit-constructor)
    CostExplorerError(Aws::Client::AWSError<Aws::Client::CoreErrors>&& rhs)
        : Aws::Client::AWSError<CostExplorerErrors>(std::move(rhs)) {}  // NOLINT(google-explicit-constructor)
    CostExplorerError(const Aws::Client::AWSError<CostExplorerErrors>& rhs)
        : Aws::Client::AWSError<CostExplorerErrors>(rhs) {}  // NOLINT(google-explicit-constructor)
    CostExplorerError(Aws::Client::AWSError<CostExplorerErrors>&& rhs)
        : Aws::Client::AWSError<CostExplorerErrors>(std::move(rhs)) {}  // NOLINT(google-explicit-constructor)
};

namespace CostExplorerErrorMapper {
// The service's own error for a wire name; UNKNOWN (not retryable) for names it does not define.
Aws::Client::AWSError<Aws::Client::CoreErrors> GetErrorForName(const char* errorName);
}  // namespace CostExplorerErrorMapper

}  // namespace CostExplorer
}  // namespace Aws
