#include "core/named_error.h"

#include <aws/monitoring/CloudWatchErrors.h>

#include <array>

namespace Aws {
namespace CloudWatch {
namespace CloudWatchErrorMapper {
namespace {

using NamedError = Aws::Internal::NamedError<CloudWatchErrors>;

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
    return Aws::Internal::ErrorForName(kErrors, errorName);
}

}  // namespace CloudWatchErrorMapper
}  // namespace CloudWatch
}  // namespace Aws
