#pragma once

#include <aws/core/client/CoreErrors.h>
#include <aws/core/http/HttpResponse.h>
#include <aws/core/http/HttpTypes.h>
#include <aws/core/utils/memory/stl/AWSString.h>

#include <ostream>
#include <utility>

namespace Aws {
namespace Client {

enum class RetryableType { NOT_RETRYABLE, RETRYABLE, RETRYABLE_THROTTLING };

template <typename ERROR_TYPE>
class AWSError {
    template <typename T>
    friend class AWSError;

public:
    AWSError() = default;
    AWSError(ERROR_TYPE errorType, Aws::String exceptionName, Aws::String message, bool isRetryable)
        : m_errorType(errorType),
          m_exceptionName(std::move(exceptionName)),
          m_message(std::move(message)),
          m_retryableType(isRetryable ? RetryableType::RETRYABLE : RetryableType::NOT_RETRYABLE) {}
    AWSError(ERROR_TYPE errorType, RetryableType retryableType)
        : m_errorType(errorType), m_retryableType(retryableType) {}
    AWSError(ERROR_TYPE errorType, bool isRetryable)
        : AWSError(errorType, isRetryable ? RetryableType::RETRYABLE : RetryableType::NOT_RETRYABLE) {}

    // Converting between error enumerations keeps every field; the type keeps its number.
    template <typename OTHER_ERROR_TYPE>
    AWSError(const AWSError<OTHER_ERROR_TYPE>& rhs)  // NOLINT(google-explicit-constructor)
        : m_errorType(static_cast<ERROR_TYPE>(rhs.m_errorType)),
          m_exceptionName(rhs.m_exceptionName),
          m_message(rhs.m_message),
          m_remoteHostIpAddress(rhs.m_remoteHostIpAddress),
          m_requestId(rhs.m_requestId),
          m_responseHeaders(rhs.m_responseHeaders),
          m_responseCode(rhs.m_responseCode),
          m_retryableType(rhs.m_retryableType) {}

    template <typename OTHER_ERROR_TYPE>
    AWSError(AWSError<OTHER_ERROR_TYPE>&& rhs)  // NOLINT(google-explicit-constructor)
        : m_errorType(static_cast<ERROR_TYPE>(rhs.m_errorType)),
          m_exceptionName(std::move(rhs.m_exceptionName)),
          m_message(std::move(rhs.m_message)),
          m_remoteHostIpAddress(std::move(rhs.m_remoteHostIpAddress)),
          m_requestId(std::move(rhs.m_requestId)),
          m_responseHeaders(std::move(rhs.m_responseHeaders)),
          m_responseCode(rhs.m_responseCode),
          m_retryableType(rhs.m_retryableType) {}

    const ERROR_TYPE GetErrorType() const { return m_errorType; }
    const Aws::String& GetExceptionName() const { return m_exceptionName; }
    void SetExceptionName(const Aws::String& exceptionName) { m_exceptionName = exceptionName; }
    const Aws::String& GetMessage() const { return m_message; }
    void SetMessage(const Aws::String& message) { m_message = message; }
    const Aws::String& GetRemoteHostIpAddress() const { return m_remoteHostIpAddress; }
    void SetRemoteHostIpAddress(const Aws::String& address) { m_remoteHostIpAddress = address; }
    const Aws::String& GetRequestId() const { return m_requestId; }
    void SetRequestId(const Aws::String& requestId) { m_requestId = requestId; }

    bool ShouldRetry() const {
        return m_retryableType == RetryableType::RETRYABLE ||
               m_retryableType == RetryableType::RETRYABLE_THROTTLING;
    }
    bool ShouldThrottle() const { return m_retryableType == RetryableType::RETRYABLE_THROTTLING; }

    const Aws::Http::HeaderValueCollection& GetResponseHeaders() const { return m_responseHeaders; }
    void SetResponseHeaders(const Aws::Http::HeaderValueCollection& headers) { m_responseHeaders = headers; }
    void SetResponseHeaders(Aws::Http::HeaderValueCollection&& headers) {
        m_responseHeaders = std::move(headers);
    }
    bool ResponseHeaderExists(const Aws::String& headerName) const {
        return m_responseHeaders.find(headerName) != m_responseHeaders.end();
    }

    Aws::Http::HttpResponseCode GetResponseCode() const { return m_responseCode; }
    void SetResponseCode(Aws::Http::HttpResponseCode responseCode) { m_responseCode = responseCode; }

private:
    ERROR_TYPE m_errorType{};
    Aws::String m_exceptionName;
    Aws::String m_message;
    Aws::String m_remoteHostIpAddress;
    Aws::String m_requestId;
    Aws::Http::HeaderValueCollection m_responseHeaders;
    Aws::Http::HttpResponseCode m_responseCode = Aws::Http::HttpResponseCode::REQUEST_NOT_MADE;
    RetryableType m_retryableType = RetryableType::NOT_RETRYABLE;
};

template <typename T>
Aws::OStream& operator<<(Aws::OStream& s, const AWSError<T>& e) {
    s << "HTTP response code: " << static_cast<int>(e.GetResponseCode()) << "\n"
      << "Resolved remote host IP address: " << e.GetRemoteHostIpAddress() << "\n"
      << "Request ID: " << e.GetRequestId() << "\n"
      << "Exception name: " << e.GetExceptionName() << "\n"
      << "Error message: " << e.GetMessage() << "\n"
      << e.GetResponseHeaders().size() << " response headers:";
    for (const auto& header : e.GetResponseHeaders()) {
        s << "\n" << header.first << " : " << header.second;
    }
    return s;
}

}  // namespace Client
}  // namespace Aws
