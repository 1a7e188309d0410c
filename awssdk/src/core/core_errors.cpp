#include "core/named_error.h"

#include <aws/core/client/AWSError.h>
#include <aws/core/client/CoreErrors.h>

#include <array>
#include <ostream>

namespace Aws {
namespace Client {
namespace {

using NamedError = Aws::Internal::NamedError<CoreErrors>;

constexpr std::array kCoreErrors = {
    NamedError{"IncompleteSignature", CoreErrors::INCOMPLETE_SIGNATURE, false},
    NamedError{"IncompleteSignatureException", CoreErrors::INCOMPLETE_SIGNATURE, false},
    NamedError{"InvalidSignature", CoreErrors::INVALID_SIGNATURE, false},
    NamedError{"InvalidSignatureException", CoreErrors::INVALID_SIGNATURE, false},
    NamedError{"InternalFailure", CoreErrors::INTERNAL_FAILURE, true},
    NamedError{"InternalFailureException", CoreErrors::INTERNAL_FAILURE, true},
    NamedError{"InternalServerError", CoreErrors::INTERNAL_FAILURE, true},
    NamedError{"InternalError", CoreErrors::INTERNAL_FAILURE, true},
    NamedError{"InvalidAction", CoreErrors::INVALID_ACTION, false},
    NamedError{"InvalidActionException", CoreErrors::INVALID_ACTION, false},
    NamedError{"InvalidClientTokenId", CoreErrors::INVALID_CLIENT_TOKEN_ID, false},
    NamedError{"InvalidClientTokenIdException", CoreErrors::INVALID_CLIENT_TOKEN_ID, false},
    NamedError{"InvalidParameterCombination", CoreErrors::INVALID_PARAMETER_COMBINATION, false},
    NamedError{"InvalidParameterCombinationException", CoreErrors::INVALID_PARAMETER_COMBINATION, false},
    NamedError{"InvalidParameterValue", CoreErrors::INVALID_PARAMETER_VALUE, false},
    NamedError{"InvalidParameterValueException", CoreErrors::INVALID_PARAMETER_VALUE, false},
    NamedError{"InvalidQueryParameter", CoreErrors::INVALID_QUERY_PARAMETER, false},
    NamedError{"InvalidQueryParameterException", CoreErrors::INVALID_QUERY_PARAMETER, false},
    NamedError{"MalformedQueryString", CoreErrors::MALFORMED_QUERY_STRING, false},
    NamedError{"MalformedQueryStringException", CoreErrors::MALFORMED_QUERY_STRING, false},
    NamedError{"MissingAction", CoreErrors::MISSING_ACTION, false},
    NamedError{"MissingActionException", CoreErrors::MISSING_ACTION, false},
    NamedError{"MissingAuthenticationToken", CoreErrors::MISSING_AUTHENTICATION_TOKEN, false},
    NamedError{"MissingAuthenticationTokenException", CoreErrors::MISSING_AUTHENTICATION_TOKEN, false},
    NamedError{"MissingParameter", CoreErrors::MISSING_PARAMETER, false},
    NamedError{"MissingParameterException", CoreErrors::MISSING_PARAMETER, false},
    NamedError{"OptInRequired", CoreErrors::OPT_IN_REQUIRED, false},
    NamedError{"RequestExpired", CoreErrors::REQUEST_EXPIRED, true},
    NamedError{"RequestExpiredException", CoreErrors::REQUEST_EXPIRED, true},
    NamedError{"ServiceUnavailable", CoreErrors::SERVICE_UNAVAILABLE, true},
    NamedError{"ServiceUnavailableException", CoreErrors::SERVICE_UNAVAILABLE, true},
    NamedError{"ServiceUnavailableError", CoreErrors::SERVICE_UNAVAILABLE, true},
    NamedError{"RequestThrottled", CoreErrors::THROTTLING, true},
    NamedError{"RequestThrottledException", CoreErrors::THROTTLING, true},
    NamedError{"ThrottlingException", CoreErrors::THROTTLING, true},
    NamedError{"ThrottledException", CoreErrors::THROTTLING, true},
    NamedError{"Throttling", CoreErrors::THROTTLING, true},
    NamedError{"TooManyRequestsException", CoreErrors::THROTTLING, true},
    NamedError{"ValidationError", CoreErrors::VALIDATION, false},
    NamedError{"ValidationErrorException", CoreErrors::VALIDATION, false},
    NamedError{"ValidationException", CoreErrors::VALIDATION, false},
    NamedError{"AccessDenied", CoreErrors::ACCESS_DENIED, false},
    NamedError{"AccessDeniedException", CoreErrors::ACCESS_DENIED, false},
    NamedError{"ResourceNotFound", CoreErrors::RESOURCE_NOT_FOUND, false},
    NamedError{"ResourceNotFoundException", CoreErrors::RESOURCE_NOT_FOUND, false},
    NamedError{"UnrecognizedClient", CoreErrors::UNRECOGNIZED_CLIENT, false},
    NamedError{"UnrecognizedClientException", CoreErrors::UNRECOGNIZED_CLIENT, false},
    NamedError{"SlowDown", CoreErrors::SLOW_DOWN, true},
    NamedError{"SlowDownException", CoreErrors::SLOW_DOWN, true},
    NamedError{"SignatureDoesNotMatch", CoreErrors::SIGNATURE_DOES_NOT_MATCH, false},
    NamedError{"SignatureDoesNotMatchException", CoreErrors::SIGNATURE_DOES_NOT_MATCH, false},
    NamedError{"InvalidAccessKeyId", CoreErrors::INVALID_ACCESS_KEY_ID, false},
    NamedError{"InvalidAccessKeyIdException", CoreErrors::INVALID_ACCESS_KEY_ID, false},
    NamedError{"RequestTimeTooSkewed", CoreErrors::REQUEST_TIME_TOO_SKEWED, true},
    NamedError{"RequestTimeTooSkewedException", CoreErrors::REQUEST_TIME_TOO_SKEWED, true},
    NamedError{"RequestTimeout", CoreErrors::REQUEST_TIMEOUT, true},
    NamedError{"RequestTimeoutException", CoreErrors::REQUEST_TIMEOUT, true},
};

}  // namespace

Aws::OStream& operator<<(Aws::OStream& stream, CoreErrors error) {
    return stream << static_cast<int>(error);
}

namespace CoreErrorsMapper {

AWSError<CoreErrors> GetErrorForName(const char* errorName) {
    return Aws::Internal::ErrorForName(kCoreErrors, errorName);
}

AWSError<CoreErrors> GetErrorForHttpResponseCode(Aws::Http::HttpResponseCode code) {
    using Aws::Http::HttpResponseCode;
    const bool retryable = Aws::Http::IsRetryableHttpResponseCode(code);
    switch (code) {
        case HttpResponseCode::UNAUTHORIZED:
        case HttpResponseCode::FORBIDDEN:
            return AWSError<CoreErrors>(CoreErrors::ACCESS_DENIED, retryable);
        case HttpResponseCode::NOT_FOUND:
            return AWSError<CoreErrors>(CoreErrors::RESOURCE_NOT_FOUND, retryable);
        case HttpResponseCode::TOO_MANY_REQUESTS:
            return AWSError<CoreErrors>(CoreErrors::SLOW_DOWN, retryable);
        case HttpResponseCode::INTERNAL_SERVER_ERROR:
            return AWSError<CoreErrors>(CoreErrors::INTERNAL_FAILURE, retryable);
        case HttpResponseCode::BANDWIDTH_LIMIT_EXCEEDED:
            return AWSError<CoreErrors>(CoreErrors::THROTTLING, retryable);
        case HttpResponseCode::SERVICE_UNAVAILABLE:
            return AWSError<CoreErrors>(CoreErrors::SERVICE_UNAVAILABLE, retryable);
        case HttpResponseCode::REQUEST_TIMEOUT:
        case HttpResponseCode::AUTHENTICATION_TIMEOUT:
        case HttpResponseCode::LOGIN_TIMEOUT:
        case HttpResponseCode::GATEWAY_TIMEOUT:
        case HttpResponseCode::NETWORK_READ_TIMEOUT:
        case HttpResponseCode::NETWORK_CONNECT_TIMEOUT:
            return AWSError<CoreErrors>(CoreErrors::REQUEST_TIMEOUT, retryable);
        default: {
            const int value = static_cast<int>(code);
            return AWSError<CoreErrors>(CoreErrors::UNKNOWN, value >= 500 && value < 600);
        }
    }
}

// The table is constant; these exist because InitAPI/ShutdownAPI call them in the official SDK.
void InitCoreErrorsMapper() {}
void CleanupCoreErrorsMapper() {}

}  // namespace CoreErrorsMapper
}  // namespace Client

namespace Http {

bool IsRetryableHttpResponseCode(HttpResponseCode responseCode) {
    switch (responseCode) {
        case HttpResponseCode::INTERNAL_SERVER_ERROR:
        case HttpResponseCode::BAD_GATEWAY:
        case HttpResponseCode::SERVICE_UNAVAILABLE:
        case HttpResponseCode::GATEWAY_TIMEOUT:
        case HttpResponseCode::TOO_MANY_REQUESTS:
        case HttpResponseCode::BANDWIDTH_LIMIT_EXCEEDED:
        case HttpResponseCode::REQUEST_TIMEOUT:
        case HttpResponseCode::AUTHENTICATION_TIMEOUT:
        case HttpResponseCode::LOGIN_TIMEOUT:
        case HttpResponseCode::NETWORK_READ_TIMEOUT:
        case HttpResponseCode::NETWORK_CONNECT_TIMEOUT:
            return true;
        default:
            return false;
    }
}

}  // namespace Http
}  // namespace Aws
