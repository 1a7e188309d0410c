#pragma once

#include "core/crypto.h"
#include "core/endpoint.h"
#include "core/error_marshaller.h"
#include "core/http.h"
#include "core/secret_filter.h"

#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/core/client/RetryStrategy.h>
#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/Outcome.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string_view>

namespace Aws {
namespace Internal {

struct ServiceTraits {
    ServiceNames names;
    const char* apiVersion;
    const char* clientName;  // the "api/<name>" user-agent token
    WireProtocol protocol;
    ServiceErrorLookup lookup;
    const char* jsonTargetPrefix;  // JSON services: x-amz-target is "<prefix>.<operation>"
};

using SendOutcome = Aws::Utils::Outcome<HttpResponse, CoreError>;

// What every generated client shares: endpoint, signing, retries, clock skew. Immutable after
// construction apart from the skew and the cached signing key, so one instance serves many threads.
class ClientCore {
public:
    ClientCore(const ServiceTraits& service, const Aws::Auth::AWSCredentials& credentials,
               const Aws::Client::ClientConfiguration& config);

    // POSTs body (form or JSON) for the operation, retrying as the retry strategy says. On success the
    // response has a 2xx status.
    SendOutcome Send(std::string_view operation, const Aws::String& body) const;

    const Endpoint& GetEndpoint() const { return m_endpoint; }
    const ServiceTraits& Traits() const { return m_service; }

private:
    // What stays the same over every attempt of one call.
    struct Call {
        std::string_view operation;
        const Aws::String& body;
        Aws::String invocationId;
        const char* contentType = "";
        Aws::String target;  // x-amz-target of JSON services
        bool sign = false;
        Aws::String payloadHash;
        Aws::String contentLength;
    };

    Call Prepare(std::string_view operation, const Aws::String& body) const;
    // Signs and sends one attempt.
    HttpResponse Attempt(const Call& call, const Aws::Utils::DateTime& signingTime, long attempt,
                         const Aws::String& requestInfo) const;
    CoreError FailedAttempt(const HttpResponse& response) const;
    // True when the server's clock is so far off that the error is worth a retry with the skew applied.
    bool AdjustForSkew(CoreError& error, const Aws::Utils::DateTime& signingTime,
                       const Aws::Utils::DateTime& serverTime) const;
    Sha256Digest SigningKey(std::string_view date) const;

    const ServiceTraits& m_service;
    Aws::Auth::AWSCredentials m_credentials;
    Endpoint m_endpoint;
    TransportSettings m_transport;
    SecretFilter m_secrets;
    std::shared_ptr<Aws::Client::RetryStrategy> m_retryStrategy;
    Aws::String m_userAgent;
    bool m_enableClockSkewAdjustment;
    long m_requestTimeoutMs;
    mutable std::atomic<int64_t> m_clockSkewMs{0};
    mutable std::mutex m_keyMutex;
    mutable Aws::String m_keyDate;
    mutable Sha256Digest m_key{};
};

Aws::String NewInvocationId();

}  // namespace Internal
}  // namespace Aws
