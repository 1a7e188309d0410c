#pragma once

#include <aws/core/http/Scheme.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <memory>

namespace Aws {
namespace Client {

class RetryStrategy;

// How 30x responses are handled. DEFAULT follows them except for region "aws-global".
enum class FollowRedirectsPolicy { DEFAULT, ALWAYS, NEVER };

struct ClientConfigurationInitValues {
    bool shouldDisableIMDS = false;
};

struct ClientConfiguration {
    ClientConfiguration();
    ClientConfiguration(
        const ClientConfigurationInitValues& configuration);  // NOLINT(google-explicit-constructor)
    ClientConfiguration(const char* profileName, bool shouldDisableIMDS = false);
    virtual ~ClientConfiguration() = default;

    ClientConfiguration(const ClientConfiguration&) = default;
    ClientConfiguration(ClientConfiguration&&) = default;
    ClientConfiguration& operator=(const ClientConfiguration&) = default;
    ClientConfiguration& operator=(ClientConfiguration&&) = default;

    Aws::String userAgent;
    Aws::Http::Scheme scheme = Aws::Http::Scheme::HTTPS;
    Aws::String region;
    bool useDualStack = false;
    bool useFIPS = false;
    unsigned maxConnections = 25;
    long httpRequestTimeoutMs = 0;
    // For curl: the low-speed window in whole seconds (at least 1 s); 0 disables it.
    long requestTimeoutMs = 0;
    long connectTimeoutMs = 1000;
    bool enableTcpKeepAlive = true;
    unsigned long tcpKeepAliveIntervalMs = 30000;
    unsigned long lowSpeedLimit = 1;
    std::shared_ptr<RetryStrategy> retryStrategy;
    Aws::String endpointOverride;
    bool allowSystemProxy = false;
    Aws::Http::Scheme proxyScheme = Aws::Http::Scheme::HTTP;
    Aws::String proxyHost;
    unsigned proxyPort = 0;
    Aws::String proxyUserName;
    Aws::String proxyPassword;
    Aws::Vector<Aws::String> nonProxyHosts;
    bool verifySSL = true;
    Aws::String caPath;
    Aws::String caFile;
    FollowRedirectsPolicy followRedirects = FollowRedirectsPolicy::DEFAULT;
    bool disableExpectHeader = false;
    bool enableClockSkewAdjustment = true;
    bool enableHostPrefixInjection = true;
    bool enableHttpClientTrace = false;
    Aws::String profileName;
    bool disableIMDS = false;
    bool disableImdsV1 = false;
    Aws::String appId;

private:
    void SetDefaults();
};

// The strategy named by retryMode, else AWS_RETRY_MODE, else the profile's retry_mode. Every mode
// currently yields DefaultRetryStrategy.
std::shared_ptr<RetryStrategy> InitRetryStrategy(Aws::String retryMode = "");

Aws::String ComputeUserAgentString(ClientConfiguration const* const pConfig = nullptr);

}  // namespace Client
}  // namespace Aws
