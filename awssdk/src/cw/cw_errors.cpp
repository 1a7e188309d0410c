#include <aws/monitoring/CloudWatchErrors.h>

#include <array>
#include <string_view>

namespace Aws {
namespace CloudWatch {
namespace CloudWatchErrorMapper {
namespace {

struct NamedError {
    std::string_view name;
    CloudWatchErrors error;
    bool retryable;
};

constexpr std::array kErrors = {
    NamedError{"ConcurrentModificationException", CloudWatchErrors::CONCURRENT_MODIFICATION, false},
    NamedError{"InternalServiceError", CloudWatchErrors::INTERNAL_SERVICE_FAULT, true},
    NamedError{"InvalidFormat", CloudWatchErrors::INVALID_FORMAT_FAULT, false},
    NamedError{"InvalidNextToken", CloudWatchErrors::INVALID_NEXT_TOKEN, false},
    NamedError{"InvalidParameterInput", CloudWatchErrors::DASHBOARD_INVALID_INPUT, false},
    NamedError{"LimitExceeded", CloudWatchErrors::LIMIT_EXCEEDED_FAULT, false},
    NamedError{"LimitExceededException", CloudWatchErrors::LIMIT_EXCEEDED, true},
    NamedError{"MissingParameter", CloudWatchErrors::MISSING_REQUIRED_PARAMETER, false},
    NamedError{"ResourceNotFound", CloudWatchErrors::DASHBOARD_NOT_FOUND, false},
};

}  // namespace

Aws::Client::AWSError<Aws::Client::CoreErrors> GetErrorForName(const char* errorName) {
    const std::string_view name = errorName != nullptr ? errorName : "";
    for (const auto& entry : kErrors) {
        if (entry.name == name) {
            return Aws::Client::AWSError<Aws::Client::CoreErrors>(
                static_cast<Aws::Client::CoreErrors>(entry.error), entry.retryable);
        }
    }
    return Aws::Client::AWSError<Aws::Client::CoreErrors>(Aws::Client::CoreErrors::UNKNOWN, false);
}

}  // namespace CloudWatchErrorMapper
}  // namespace CloudWatch
}  // namespace Aws
