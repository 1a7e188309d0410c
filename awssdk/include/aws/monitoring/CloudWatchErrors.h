#pragma once

#include <aws/core/client/AWSError.h>
#include <aws/core/client/CoreErrors.h>
#include <utility>

namespace Aws {
namespace CloudWatch {

enum class CloudWatchErrors {
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

    CONCURRENT_MODIFICATION = static_cast<int>(Aws::Client::CoreErrors::SERVICE_EXTENSION_START_RANGE) + 1,
    DASHBOARD_INVALID_INPUT,
    DASHBOARD_NOT_FOUND,
    INTERNAL_SERVICE_FAULT,
    INVALID_FORMAT_FAULT,
    INVALID_NEXT_TOKEN,
    LIMIT_EXCEEDED,
    LIMIT_EXCEEDED_FAULT,
    MISSING_REQUIRED_PARAMETER,
};

class CloudWatchError : public Aws::Client::AWSError<CloudWatchErrors> {
public:
    CloudWatchError() = default;
    CloudWatchError(const Aws::Client::AWSError<Aws::Client::CoreErrors>& rhs)
        : Aws::Client::AWSError<CloudWatchErrors>(rhs) {}  // NOLINT(google-explicit-constructor)
    CloudWatchError(Aws::Client::AWSError<Aws::Client::CoreErrors>&& rhs)
        : Aws::Client::AWSError<CloudWatchErrors>(std::move(rhs)) {}  // NOLINT(google-explicit-constructor)
    CloudWatchError(const Aws::Client::AWSError<CloudWatchErrors>& rhs)
        : Aws::Client::AWSError<CloudWatchErrors>(rhs) {}  // NOLINT(google-explicit-constructor)
    CloudWatchError(Aws::Client::AWSError<CloudWatchErrors>&& rhs)
        : Aws::Client::AWSError<CloudWatchErrors>(std::move(rhs)) {}  // NOLINT(google-explicit-constructor)
};

namespace CloudWatchErrorMapper {
// The service's own error for a wire name; UNKNOWN (not retryable) for names it does not define.
Aws::Client::AWSError<Aws::Client::CoreErrors> GetErrorForName(const char* errorName);
}  // namespace CloudWatchErrorMapper

}  // namespace CloudWatch
}  // namespace Aws
