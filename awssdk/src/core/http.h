#pragma once

#include <aws/core/client/ClientConfiguration.h>
#include <aws/core/http/HttpTypes.h>
#include <aws/core/utils/memory/stl/AWSString.h>

#include <string_view>
#include <utility>
#include <vector>

namespace Aws {
namespace Internal {

// Everything about a connection that decides whether an idle one can carry a request, plus the
// per-request transfer limits. Built once per client.
struct TransportSettings {
    Aws::String poolKey;  // scheme/host/port + proxy + TLS; holds the proxy password, never log it
    long connectTimeoutMs = 1000;
    long requestTimeoutMs = 3000;
    long httpRequestTimeoutMs = 0;
    unsigned long lowSpeedLimit = 1;
    bool enableTcpKeepAlive = true;
    unsigned long tcpKeepAliveIntervalMs = 30000;
    bool verifySSL = true;
    Aws::String caPath;
    Aws::String caFile;
    Aws::String proxyUrl;  // "http://host:port" or empty
    Aws::String proxyUserName;
    Aws::String proxyPassword;
    Aws::String noProxy;
    bool allowSystemProxy = false;
    bool followRedirects = true;
    bool disableExpectHeader = false;
    unsigned maxConnections = 25;

    static TransportSettings From(const Aws::Client::ClientConfiguration& config,
                                  std::string_view endpointAuthority, bool followRedirects);
};

struct HttpRequest {
    std::string_view url;
    std::vector<std::pair<std::string_view, std::string_view>> headers;
    std::string_view body;
};

struct HttpResponse {
    int curlCode = 0;  // non-zero: the transfer failed and status is -1
    Aws::String curlMessage;
    long status = -1;
    Aws::Http::HeaderValueCollection headers;  // names lower-cased
    Aws::String body;
    Aws::String remoteIp;
};

}  // namespace Internal
}  // namespace Aws
