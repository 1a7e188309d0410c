#include "core/transport.h"

#include "core/string_utils.h"
#include "core/transport_platform.h"

#include <atomic>
#include <string>

namespace Aws {
namespace Internal {
namespace {

std::atomic<TransportHook> g_hook{nullptr};

}  // namespace

TransportSettings TransportSettings::From(const Aws::Client::ClientConfiguration& config,
                                          std::string_view endpointAuthority, bool followRedirects) {
    TransportSettings s;
    s.connectTimeoutMs = config.connectTimeoutMs;
    s.requestTimeoutMs = config.requestTimeoutMs;
    s.httpRequestTimeoutMs = config.httpRequestTimeoutMs;
    s.lowSpeedLimit = config.lowSpeedLimit;
    s.enableTcpKeepAlive = config.enableTcpKeepAlive;
    s.tcpKeepAliveIntervalMs = config.tcpKeepAliveIntervalMs;
    s.verifySSL = config.verifySSL;
    s.caPath = config.caPath;
    s.caFile = config.caFile;
    if (!config.proxyHost.empty()) {
        s.proxyUrl =
            Aws::String(Aws::Http::SchemeMapper::ToString(config.proxyScheme)) + "://" + config.proxyHost;
        if (config.proxyPort != 0) {
            s.proxyUrl += ":" + std::to_string(config.proxyPort);
        }
        s.proxyUserName = config.proxyUserName;
        s.proxyPassword = config.proxyPassword;
        for (const auto& host : config.nonProxyHosts) {
            s.noProxy += (s.noProxy.empty() ? "" : ",") + host;
        }
    }
    s.allowSystemProxy = config.allowSystemProxy;
    s.followRedirects = followRedirects;
    s.disableExpectHeader = config.disableExpectHeader;
    s.maxConnections = config.maxConnections;
    s.poolKey.reserve(128);
    s.poolKey.append(endpointAuthority)
        .append("|")
        .append(s.proxyUrl)
        .append("|")
        .append(s.proxyUserName)
        .append("|")
        .append(s.proxyPassword)
        .append("|")
        .append(s.verifySSL ? "1" : "0")
        .append("|")
        .append(s.caFile)
        .append("|")
        .append(s.caPath);
    return s;
}

void AddResponseHeaderLine(HttpResponse& response, std::string_view line) {
    if (line.substr(0, 5) == "HTTP/") {
        response.headers.clear();  // a new response (after 100-continue or a redirect)
        return;
    }
    const auto colon = line.find(':');
    if (colon != std::string_view::npos) {
        AddResponseHeader(response, line.substr(0, colon), line.substr(colon + 1));
    }
}

void AddResponseHeader(HttpResponse& response, std::string_view name, std::string_view value) {
    response.headers[ToLower(Trim(name))] = Aws::String(Trim(value));
}

HttpResponse Perform(const TransportSettings& settings, const HttpRequest& request) {
    if (const TransportHook hook = g_hook.load(std::memory_order_acquire)) {
        return hook(settings, request);
    }
    return PerformOnNetwork(settings, request);
}

void SetTransportHook(TransportHook hook) {
    g_hook.store(hook, std::memory_order_release);
}

}  // namespace Internal
}  // namespace Aws
