#include "core/log.h"
#include "core/transport.h"
#include "core/transport_platform.h"

// winsock2.h before windows.h: WinHTTP declares its connection information only with it.
#include <winsock2.h>

#include <windows.h>

#include <winhttp.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace Aws {
namespace Internal {
namespace {

constexpr const char* kTag = "WinHttpSyncHttpClient";
constexpr size_t kReadChunk = size_t{16} * 1024;

struct HandleCloser {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

std::wstring Widen(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
    return out;
}

// Response heads are Latin-1 on the wire; WinHTTP widened them byte by byte.
Aws::String Narrow(std::wstring_view text) {
    Aws::String out;
    out.reserve(text.size());
    for (const wchar_t ch : text) {
        out.push_back(static_cast<char>(ch <= 0xFF ? ch : '?'));
    }
    return out;
}

// WinHTTP failures under the numbers and texts libcurl gives the same failure, so that every layer
// above the transport (and the messages users see) is the same on both platforms.
struct TransportError {
    DWORD winHttp;
    int curlCode;
    const char* text;
};
constexpr int kCurlRecvError = 56;
constexpr int kCurlTimeout = 28;
constexpr std::array<TransportError, 15> kErrors{{
    {ERROR_WINHTTP_UNRECOGNIZED_SCHEME, 1, "Unsupported protocol"},
    {ERROR_WINHTTP_INVALID_URL, 3, "URL using bad/illegal format or missing URL"},
    {ERROR_WINHTTP_NAME_NOT_RESOLVED, 6, "Couldn't resolve host name"},
    {ERROR_WINHTTP_CANNOT_CONNECT, 7, "Couldn't connect to server"},
    {ERROR_WINHTTP_INVALID_SERVER_RESPONSE, 8, "Weird server reply"},
    {ERROR_NOT_ENOUGH_MEMORY, 27, "Out of memory"},
    {ERROR_WINHTTP_TIMEOUT, kCurlTimeout, "Timeout was reached"},
    {ERROR_WINHTTP_CONNECTION_ERROR, kCurlRecvError, "Failure when receiving data from the peer"},
    {ERROR_WINHTTP_SECURE_FAILURE, 60, "SSL peer certificate or SSH remote key was not OK"},
    {ERROR_WINHTTP_SECURE_INVALID_CA, 60, "SSL peer certificate or SSH remote key was not OK"},
    {ERROR_WINHTTP_SECURE_CERT_CN_INVALID, 60, "SSL peer certificate or SSH remote key was not OK"},
    {ERROR_WINHTTP_SECURE_CERT_DATE_INVALID, 60, "SSL peer certificate or SSH remote key was not OK"},
    {ERROR_WINHTTP_SECURE_INVALID_CERT, 60, "SSL peer certificate or SSH remote key was not OK"},
    {ERROR_WINHTTP_SECURE_CHANNEL_ERROR, 35, "SSL connect error"},
    {ERROR_WINHTTP_RESEND_REQUEST, kCurlRecvError, "Failure when receiving data from the peer"},
}};

void Fail(HttpResponse& response, DWORD error) {
    const auto* known = std::find_if(kErrors.begin(), kErrors.end(),
                                     [error](const TransportError& entry) { return entry.winHttp == error; });
    response.curlCode = known != kErrors.end() ? known->curlCode : kCurlRecvError;
    response.curlMessage = known != kErrors.end() ? known->text : "Failure when receiving data from the peer";
    response.curlMessage += " (WinHTTP " + std::to_string(error) + ")";
    response.status = -1;
    response.headers.clear();
    AWS_LOGSTREAM_ERROR(kTag, "WinHTTP returned error " << error << " - " << response.curlMessage);
}

struct Target {
    std::wstring host;
    INTERNET_PORT port = 0;
    bool secure = false;
    std::wstring pathAndQuery;
};

std::optional<Target> ParseUrl(std::string_view url) {
    std::wstring wide = Widen(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts)) {
        return std::nullopt;
    }
    Target target;
    target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    target.port = parts.nPort;
    target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    target.pathAndQuery.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    target.pathAndQuery.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (target.pathAndQuery.empty()) {
        target.pathAndQuery = L"/";
    }
    return target;
}

// One WinHTTP session per pool key, with its connection to the endpoint. WinHTTP keeps the
// session's connections alive and lets any number of threads send through one session at once, so
// a session plays the part of the Linux pool's idle handles.
struct Session {
    Handle session;
    Handle connection;
};

std::shared_ptr<Session> OpenSession(const TransportSettings& settings, const Target& target) {
    DWORD access =
        settings.allowSystemProxy ? WINHTTP_ACCESS_TYPE_DEFAULT_PROXY : WINHTTP_ACCESS_TYPE_NO_PROXY;
    std::wstring proxy;
    std::wstring bypass;
    if (!settings.proxyUrl.empty()) {
        access = WINHTTP_ACCESS_TYPE_NAMED_PROXY;
        const auto scheme = settings.proxyUrl.find("://");
        proxy = Widen(scheme == Aws::String::npos ? std::string_view(settings.proxyUrl)
                                                  : std::string_view(settings.proxyUrl).substr(scheme + 3));
        bypass = Widen(settings.noProxy);
        std::replace(bypass.begin(), bypass.end(), L',', L';');
    }
    // No agent: the SDK's user-agent header is the only one sent.
    auto session = std::make_shared<Session>();
    session->session.reset(WinHttpOpen(nullptr, access, proxy.empty() ? WINHTTP_NO_PROXY_NAME : proxy.c_str(),
                                       bypass.empty() ? WINHTTP_NO_PROXY_BYPASS : bypass.c_str(), 0));
    if (!session->session) {
        return nullptr;
    }
    DWORD perServer = std::max(1U, settings.maxConnections);
    WinHttpSetOption(session->session.get(), WINHTTP_OPTION_MAX_CONNS_PER_SERVER, &perServer,
                     sizeof(perServer));
    session->connection.reset(WinHttpConnect(session->session.get(), target.host.c_str(), target.port, 0));
    if (!session->connection) {
        return nullptr;
    }
    AWS_LOGSTREAM_DEBUG(kTag, "Created a new connection session.");
    return session;
}

class SessionPool {
public:
    explicit SessionPool(size_t maxSessions) : m_maxSessions(maxSessions) {}

    // Most recently used first; the least recently used session goes when the pool is full (requests
    // still running on it keep it alive until they end).
    std::shared_ptr<Session> Acquire(const TransportSettings& settings, const Target& target) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = std::find_if(m_sessions.begin(), m_sessions.end(),
                                     [&](const auto& entry) { return entry.first == settings.poolKey; });
        if (it != m_sessions.end()) {
            m_sessions.splice(m_sessions.begin(), m_sessions, it);
            return it->second;
        }
        auto session = OpenSession(settings, target);
        if (session) {
            m_sessions.emplace_front(settings.poolKey, session);
            if (m_sessions.size() > m_maxSessions) {
                m_sessions.pop_back();
            }
        }
        return session;
    }

    size_t Count() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_sessions.size();
    }

private:
    size_t m_maxSessions;
    std::mutex m_mutex;
    std::list<std::pair<Aws::String, std::shared_ptr<Session>>> m_sessions;
};

std::mutex g_poolMutex;
std::shared_ptr<SessionPool> g_pool;

std::shared_ptr<SessionPool> CurrentPool() {
    const std::lock_guard<std::mutex> lock(g_poolMutex);
    return g_pool;
}

// The transfer limits with the meaning they have on libcurl: connectTimeoutMs covers name
// resolution and connecting; requestTimeoutMs is the longest silence while sending or receiving, in
// whole seconds and at least one (curl's low-speed window); httpRequestTimeoutMs, when not 0, bounds
// the whole transfer.
class Deadline {
public:
    explicit Deadline(const TransportSettings& settings)
        : m_windowMs(settings.requestTimeoutMs > 0 ? std::max(1L, settings.requestTimeoutMs / 1000) * 1000
                                                   : 0),
          m_end(settings.httpRequestTimeoutMs > 0
                    ? std::optional(Clock::now() + std::chrono::milliseconds(settings.httpRequestTimeoutMs))
                    : std::nullopt) {}

    // Sets the request's silence limits for the next step; false once the whole transfer is late.
    bool Arm(HINTERNET request, const TransportSettings& settings) const {
        long limit = m_windowMs;
        if (m_end) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(*m_end - Clock::now()).count();
            if (left <= 0) {
                return false;
            }
            limit = limit == 0 ? static_cast<long>(left) : std::min(limit, static_cast<long>(left));
        }
        const int connect = static_cast<int>(settings.connectTimeoutMs);
        const int silence = limit == 0 ? -1 : static_cast<int>(limit);
        WinHttpSetTimeouts(request, connect, connect, silence, silence);
        return true;
    }

private:
    using Clock = std::chrono::steady_clock;
    long m_windowMs;
    std::optional<Clock::time_point> m_end;
};

void ConfigureRequest(HINTERNET request, const TransportSettings& settings, const HttpRequest& http) {
    DWORD disabled = WINHTTP_DISABLE_COOKIES | (settings.followRedirects ? 0 : WINHTTP_DISABLE_REDIRECTS);
    WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &disabled, sizeof(disabled));
    if (settings.followRedirects) {
        DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_ALWAYS;
        WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof(policy));
    }
    if (!settings.verifySSL) {
        DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID |
                      SECURITY_FLAG_IGNORE_CERT_CN_INVALID | SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE;
        WinHttpSetOption(request, WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof(flags));
    }
    std::wstring headers;
    for (const auto& [name, value] : http.headers) {
        headers.append(Widen(name)).append(L": ").append(Widen(value)).append(L"\r\n");
    }
    if (!headers.empty()) {
        WinHttpAddRequestHeaders(request, headers.c_str(), static_cast<DWORD>(headers.size()),
                                 WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE);
    }
}

bool SendAndReceive(HINTERNET request, const HttpRequest& http, const Deadline& deadline,
                    const TransportSettings& settings) {
    auto* body = const_cast<char*>(http.body.data());  // WinHTTP only reads the optional data
    const auto length = static_cast<DWORD>(http.body.size());
    return deadline.Arm(request, settings) &&
           WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, length == 0 ? nullptr : body, length,
                              length, 0) &&
           WinHttpReceiveResponse(request, nullptr);
}

DWORD StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof(status);
    WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    return status;
}

// A proxy that asks for credentials gets them once, as Basic authentication.
bool AnswerProxyChallenge(HINTERNET request, const TransportSettings& settings) {
    if (settings.proxyUserName.empty() && settings.proxyPassword.empty()) {
        return false;
    }
    const std::wstring user = Widen(settings.proxyUserName);
    const std::wstring password = Widen(settings.proxyPassword);
    return WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_PROXY, WINHTTP_AUTH_SCHEME_BASIC, user.c_str(),
                                 password.c_str(), nullptr) != FALSE;
}

void ReadHeaders(HINTERNET request, HttpResponse& response) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                        WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
    std::wstring raw(size / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                             raw.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
        return;
    }
    raw.resize(size / sizeof(wchar_t));
    const Aws::String text = Narrow(raw);
    size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find("\r\n", start), text.size());
        AddResponseHeaderLine(response, std::string_view(text).substr(start, end - start));
        start = end + 2;
    }
}

bool ReadBody(HINTERNET request, HttpResponse& response, const Deadline& deadline,
              const TransportSettings& settings) {
    std::array<char, kReadChunk> chunk{};
    for (;;) {
        DWORD read = 0;
        if (!deadline.Arm(request, settings) ||
            !WinHttpReadData(request, chunk.data(), static_cast<DWORD>(chunk.size()), &read)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        response.body.append(chunk.data(), read);
    }
}

Aws::String RemoteAddress(HINTERNET request) {
    WINHTTP_CONNECTION_INFO info{};
    info.cbSize = sizeof(info);
    DWORD size = sizeof(info);
    if (!WinHttpQueryOption(request, WINHTTP_OPTION_CONNECTION_INFO, &info, &size)) {
        return {};
    }
    const auto& address = info.RemoteAddress;
    if (address.ss_family == AF_INET) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&address) + 4;  // after family and port
        return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) +
               "." + std::to_string(bytes[3]);
    }
    return {};
}

// A transfer that ran out of its overall time is reported as libcurl reports it.
DWORD LastError(const Deadline& deadline, HINTERNET request, const TransportSettings& settings) {
    const DWORD error = GetLastError();
    return deadline.Arm(request, settings) ? error : ERROR_WINHTTP_TIMEOUT;
}

void Transfer(const Session& session, const Target& target, const TransportSettings& settings,
              const HttpRequest& http, HttpResponse& response) {
    const Handle request(WinHttpOpenRequest(session.connection.get(), L"POST", target.pathAndQuery.c_str(),
                                            nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                            target.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request) {
        Fail(response, GetLastError());
        return;
    }
    ConfigureRequest(request.get(), settings, http);
    const Deadline deadline(settings);
    bool ok = SendAndReceive(request.get(), http, deadline, settings);
    if (ok && StatusCode(request.get()) == HTTP_STATUS_PROXY_AUTH_REQ &&
        AnswerProxyChallenge(request.get(), settings)) {
        ok = SendAndReceive(request.get(), http, deadline, settings);
    }
    if (ok) {
        response.status = static_cast<long>(StatusCode(request.get()));
        ReadHeaders(request.get(), response);
        ok = ReadBody(request.get(), response, deadline, settings);
    }
    if (!ok) {
        Fail(response, LastError(deadline, request.get(), settings));
        return;
    }
    response.remoteIp = RemoteAddress(request.get());
    AWS_LOGSTREAM_DEBUG(kTag, "Returned http response code " << response.status);
}

}  // namespace

HttpResponse PerformOnNetwork(const TransportSettings& settings, const HttpRequest& request) {
    HttpResponse response;
    const auto target = ParseUrl(request.url);
    if (!target) {
        Fail(response, ERROR_WINHTTP_INVALID_URL);
        return response;
    }
    const auto pool = CurrentPool();
    const auto session = pool ? pool->Acquire(settings, *target) : OpenSession(settings, *target);
    if (!session) {
        Fail(response, GetLastError());
        return response;
    }
    AWS_LOGSTREAM_DEBUG(kTag, "Making request to " << request.url);
    Transfer(*session, *target, settings, request, response);
    return response;
}

void GlobalHttpInit(bool /*initAndCleanupCurl*/) {}

void GlobalHttpCleanup(bool /*initAndCleanupCurl*/) {}

void StartConnectionPool(size_t maxIdleHandles) {
    auto pool = std::make_shared<SessionPool>(maxIdleHandles);
    const std::lock_guard<std::mutex> lock(g_poolMutex);
    g_pool = std::move(pool);
}

void StopConnectionPool() {
    std::shared_ptr<SessionPool> old;
    {
        const std::lock_guard<std::mutex> lock(g_poolMutex);
        old = std::move(g_pool);
    }
}

size_t IdleHandleCount() {
    const auto pool = CurrentPool();
    return pool ? pool->Count() : 0;
}

}  // namespace Internal
}  // namespace Aws
