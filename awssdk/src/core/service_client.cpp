#include "core/service_client.h"

#include "core/log.h"
#include "core/signer.h"
#include "core/transport.h"

#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/utils/DateTime.h>

#include <array>
#include <cstdio>
#include <random>
#include <thread>

namespace Aws {
namespace Internal {
namespace {

using Aws::Utils::DateFormat;
using Aws::Utils::DateTime;

constexpr const char* kTag = "AWSClient";
constexpr std::chrono::minutes kMaxSkew{4};

DateTime ServerTime(const CoreError& error) {
    const auto& headers = error.GetResponseHeaders();
    for (const char* name : {"x-amz-date", "date"}) {
        const auto it = headers.find(name);
        if (it != headers.end()) {
            return DateTime(it->second, DateFormat::AutoDetect);
        }
    }
    return DateTime();
}

bool Is2xx(const HttpResponse& response) {
    return response.curlCode == 0 && response.status >= 200 && response.status < 300;
}

Aws::String RequestInfo(long attempt, long maxAttempts, const DateTime* ttl) {
    Aws::String out;
    if (ttl != nullptr) {
        out += "ttl=" + ttl->ToGmtString(DateFormat::ISO_8601_BASIC) + "; ";
    }
    out += "attempt=" + std::to_string(attempt);
    if (maxAttempts > 0) {
        out += "; max=" + std::to_string(maxAttempts);
    }
    return out;
}

bool IsSecretHeader(std::string_view name) {
    return name == "authorization" || name == "x-amz-security-token";
}

}  // namespace

Aws::String NewInvocationId() {
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::array<unsigned char, 16> bytes{};
    for (size_t i = 0; i < bytes.size(); i += 8) {
        const uint64_t value = engine();
        for (size_t j = 0; j < 8; ++j) {
            bytes[i + j] = static_cast<unsigned char>(value >> (j * 8));
        }
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    static constexpr char hex[] = "0123456789ABCDEF";
    Aws::String text;
    text.reserve(36);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text.push_back('-');
        }
        text.push_back(hex[bytes[i] >> 4]);
        text.push_back(hex[bytes[i] & 0x0F]);
    }
    return text;
}

ClientCore::ClientCore(const ServiceTraits& service, const Aws::Auth::AWSCredentials& credentials,
                       const Aws::Client::ClientConfiguration& config)
    : m_service(service),
      m_credentials(credentials),
      m_endpoint(ResolveEndpoint(service.names, config)),
      m_retryStrategy(config.retryStrategy ? config.retryStrategy
                                           : std::make_shared<Aws::Client::DefaultRetryStrategy>()),
      m_enableClockSkewAdjustment(config.enableClockSkewAdjustment),
      m_requestTimeoutMs(config.requestTimeoutMs) {
    const bool follow = config.followRedirects == Aws::Client::FollowRedirectsPolicy::ALWAYS ||
                        (config.followRedirects == Aws::Client::FollowRedirectsPolicy::DEFAULT &&
                         config.region != "aws-global");
    const auto schemeEnd = m_endpoint.url.find("://");
    m_transport = TransportSettings::From(
        config, m_endpoint.url.substr(0, schemeEnd + 3) + m_endpoint.authority, follow);
    m_secrets = SecretFilter(m_credentials, m_transport);
    m_userAgent = config.userAgent.empty() ? Aws::Client::ComputeUserAgentString() : config.userAgent;
    const auto uaPosition = m_userAgent.find(" ua/2.1");
    const Aws::String apiToken = Aws::String(" api/") + service.clientName;
    if (uaPosition != Aws::String::npos) {
        m_userAgent.insert(uaPosition + 7, apiToken);
    } else {
        m_userAgent += apiToken;
    }
}

Sha256Digest ClientCore::SigningKey(std::string_view date) const {
    const std::lock_guard<std::mutex> lock(m_keyMutex);
    if (m_keyDate != date) {
        m_key = DeriveSigningKey(m_credentials.GetAWSSecretKey(), date, m_endpoint.signingRegion,
                                 m_service.names.signingName);
        m_keyDate.assign(date);
    }
    return m_key;
}

ClientCore::Call ClientCore::Prepare(std::string_view operation, const Aws::String& body) const {
    const bool json = m_service.protocol == WireProtocol::Json;
    const bool sign = !m_credentials.IsEmpty();
    return Call{operation,
                body,
                NewInvocationId(),
                json ? "application/x-amz-json-1.1" : "application/x-www-form-urlencoded",
                json ? Aws::String(m_service.jsonTargetPrefix) + "." + Aws::String(operation) : Aws::String(),
                sign,
                sign ? HexSha256(body) : Aws::String(),
                std::to_string(body.size())};
}

HttpResponse ClientCore::Attempt(const Call& call, const DateTime& signingTime, long attempt,
                                 const Aws::String& requestInfo) const {
    const Aws::String amzDate = signingTime.ToGmtString(DateFormat::ISO_8601_BASIC);
    const Aws::String& sessionToken = m_credentials.GetSessionToken();

    SigningRequest toSign;
    toSign.method = "POST";
    toSign.path = m_endpoint.path;
    toSign.payloadHash = call.payloadHash;
    auto& headers = toSign.headers;
    headers.reserve(12);
    headers.emplace_back("amz-sdk-invocation-id", call.invocationId);
    headers.emplace_back("amz-sdk-request", requestInfo);
    headers.emplace_back("content-length", call.contentLength);
    headers.emplace_back("content-type", call.contentType);
    headers.emplace_back("host", m_endpoint.authority);
    headers.emplace_back("x-amz-api-version", m_service.apiVersion);
    if (call.sign) {
        headers.emplace_back("x-amz-content-sha256", call.payloadHash);
        headers.emplace_back("x-amz-date", amzDate);
        if (!sessionToken.empty()) {
            headers.emplace_back("x-amz-security-token", sessionToken);
        }
    }
    if (!call.target.empty()) {
        headers.emplace_back("x-amz-target", call.target);
    }
    Signature signature;
    if (call.sign) {
        const SigningScope scope{amzDate, m_endpoint.signingRegion, m_service.names.signingName};
        signature = SignWithKey(toSign, scope, m_credentials.GetAWSAccessKeyId(),
                                SigningKey(std::string_view(amzDate).substr(0, 8)));
    }

    HttpRequest request;
    request.url = m_endpoint.url;
    request.body = call.body;
    request.headers = headers;
    request.headers.emplace_back("user-agent", m_userAgent);  // not signed, as in the official SDK
    if (call.sign) {
        request.headers.emplace_back("authorization", signature.authorization);
    }
    AWS_LOGSTREAM_TRACE(kTag,
                        "Sending " << call.operation << " to " << m_endpoint.url << " attempt " << attempt);
    AWS_LOGSTREAM_TRACE(kTag, [&] {
        Aws::String text;
        for (const auto& [name, value] : request.headers) {
            text.append(name).append(": ").append(IsSecretHeader(name) ? std::string_view("***") : value) +=
                '\n';
        }
        return text;
    }());
    return Perform(m_transport, request);
}

CoreError ClientCore::FailedAttempt(const HttpResponse& response) const {
    // An error body or header may echo the request: no secret of ours leaves through it, not even
    // into the trace log.
    CoreError error = BuildError(response, m_service.protocol, m_service.lookup);
    Aws::String text = error.GetMessage();
    m_secrets.Hide(text);
    error.SetMessage(text);
    text = error.GetExceptionName();
    m_secrets.Hide(text);
    error.SetExceptionName(text);
    Aws::Http::HeaderValueCollection headers = error.GetResponseHeaders();
    for (auto& header : headers) {
        m_secrets.Hide(header.second);
    }
    error.SetResponseHeaders(std::move(headers));
    AWS_LOGSTREAM_ERROR(kTag, "HTTP response code: " << static_cast<int>(error.GetResponseCode())
                                                     << "; exception name: " << error.GetExceptionName()
                                                     << "; error message: " << error.GetMessage());
    return error;
}

bool ClientCore::AdjustForSkew(CoreError& error, const DateTime& signingTime,
                               const DateTime& serverTime) const {
    const auto diff = DateTime::Diff(serverTime, signingTime);
    if (diff < kMaxSkew && diff > -kMaxSkew) {
        return false;
    }
    const auto skew = DateTime::Diff(serverTime, DateTime::Now());
    AWS_LOGSTREAM_INFO(kTag, "Computed time difference as "
                                 << skew.count() << " milliseconds. Adjusting signer with the skew.");
    m_clockSkewMs.store(skew.count(), std::memory_order_relaxed);
    CoreError retryable(error.GetErrorType(), error.GetExceptionName(), error.GetMessage(), true);
    retryable.SetResponseHeaders(error.GetResponseHeaders());
    retryable.SetResponseCode(error.GetResponseCode());
    retryable.SetRequestId(error.GetRequestId());
    retryable.SetRemoteHostIpAddress(error.GetRemoteHostIpAddress());
    error = std::move(retryable);
    return true;
}

SendOutcome ClientCore::Send(std::string_view operation, const Aws::String& body) const {
    const Call call = Prepare(operation, body);
    long attempt = 1;
    long maxAttempts = 0;
    bool hasTtl = false;
    DateTime ttl;

    for (long retries = 0;; ++retries) {
        if (!m_retryStrategy->HasSendToken()) {
            return CoreError(Aws::Client::CoreErrors::SLOW_DOWN, "",
                             "Unable to acquire enough send tokens to execute request.", false);
        }
        const DateTime signingTime =
            DateTime::Now() + std::chrono::milliseconds(m_clockSkewMs.load(std::memory_order_relaxed));
        HttpResponse response =
            Attempt(call, signingTime, attempt, RequestInfo(attempt, maxAttempts, hasTtl ? &ttl : nullptr));
        if (Is2xx(response)) {
            AWS_LOGSTREAM_TRACE(kTag, "Request successful returning.");
            SendOutcome outcome(std::move(response));
            outcome.SetRetryCount(static_cast<unsigned>(retries));
            return outcome;
        }

        CoreError error = FailedAttempt(response);
        const DateTime serverTime = ServerTime(error);
        const bool knowServerTime = serverTime.WasParseSuccessful() && serverTime != DateTime();
        const long sleepMillis = m_retryStrategy->CalculateDelayBeforeNextRetry(error, retries);
        const bool skewAdjusted =
            m_enableClockSkewAdjustment && knowServerTime && AdjustForSkew(error, signingTime, serverTime);

        if (!m_retryStrategy->ShouldRetry(error, retries)) {
            SendOutcome outcome(std::move(error));
            outcome.SetRetryCount(static_cast<unsigned>(retries));
            return outcome;
        }
        AWS_LOGSTREAM_WARN(kTag,
                           "Request failed, now waiting " << sleepMillis << " ms before attempting again.");
        if (!skewAdjusted && sleepMillis > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(sleepMillis));
        }
        if (knowServerTime) {
            ttl = DateTime::Now() + DateTime::Diff(serverTime, DateTime::Now()) +
                  std::chrono::milliseconds(m_requestTimeoutMs);
            hasTtl = true;
        }
        ++attempt;
        maxAttempts = m_retryStrategy->GetMaxAttempts();
    }
}

}  // namespace Internal
}  // namespace Aws
