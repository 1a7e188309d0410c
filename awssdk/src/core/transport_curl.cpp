#include "core/transport.h"
#include "core/transport_platform.h"

#include "core/log.h"
#include "core/response_reader.h"

#include <curl/curl.h>
#include <poll.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace Aws {
namespace Internal {
namespace {

constexpr const char* kTag = "CurlHttpClient";

// The connection cache is deliberately not shared: curl (7.88 included) does not support sharing
// connections between concurrent threads. Idle handles keep their own connections instead.
class SharedCaches {
public:
    SharedCaches() : m_share(curl_share_init()) {
        if (m_share == nullptr) {
            return;
        }
        curl_share_setopt(m_share, CURLSHOPT_LOCKFUNC, &SharedCaches::Lock);
        curl_share_setopt(m_share, CURLSHOPT_UNLOCKFUNC, &SharedCaches::Unlock);
        curl_share_setopt(m_share, CURLSHOPT_USERDATA, this);
        curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
        curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    }
    ~SharedCaches() {
        if (m_share != nullptr) {
            curl_share_cleanup(m_share);
        }
    }
    SharedCaches(const SharedCaches&) = delete;
    SharedCaches& operator=(const SharedCaches&) = delete;

    CURLSH* Handle() const { return m_share; }

private:
    static void Lock(CURL* /*handle*/, curl_lock_data data, curl_lock_access /*access*/, void* user) {
        static_cast<SharedCaches*>(user)->MutexFor(data).lock();
    }
    static void Unlock(CURL* /*handle*/, curl_lock_data data, void* user) {
        static_cast<SharedCaches*>(user)->MutexFor(data).unlock();
    }
    std::mutex& MutexFor(curl_lock_data data) {
        const auto index = static_cast<size_t>(data);
        return m_mutexes[index < m_mutexes.size() ? index : 0];
    }

    CURLSH* m_share;
    std::array<std::mutex, CURL_LOCK_DATA_LAST + 1> m_mutexes;
};

// A curl handle and its open connection. A direct connection (CURLOPT_CONNECT_ONLY) carries
// requests written here: libcurl 7.88 formats every header line of a request one byte at a time,
// which cost more than the rest of a request's work together. Through a proxy libcurl does it all.
class Connection {
public:
    Connection() = default;
    ~Connection() { Close(); }
    Connection(Connection&& other) noexcept { *this = std::move(other); }
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            Close();
            handle = std::exchange(other.handle, nullptr);
            direct = other.direct;
            socket = other.socket;
            remoteIp = std::move(other.remoteIp);
            outbox = std::move(other.outbox);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Close() {
        if (handle != nullptr) {
            curl_easy_cleanup(handle);
            handle = nullptr;
        }
    }

    CURL* handle = nullptr;
    bool direct = false;
    curl_socket_t socket = CURL_SOCKET_BAD;
    Aws::String remoteIp;
    Aws::String outbox;  // the request as sent; keeps its capacity from one request to the next
};

struct IdleConnection {
    Aws::String key;
    Connection connection;
    std::thread::id releasedBy;
};

class ConnectionPool {
public:
    explicit ConnectionPool(size_t maxIdle) : m_maxIdle(maxIdle) {}
    ~ConnectionPool() = default;
    ConnectionPool(const ConnectionPool&) = delete;
    ConnectionPool& operator=(const ConnectionPool&) = delete;

    // The idle connection this thread released last if there is one, else the most recent: a
    // connection that stays with one thread keeps its buffers in that thread's cache and arena.
    // Empty when there is none.
    Connection Acquire(const Aws::String& key, bool direct) {
        const auto self = std::this_thread::get_id();
        const std::lock_guard<std::mutex> lock(m_mutex);
        auto chosen = m_idle.end();
        for (auto it = m_idle.begin(); it != m_idle.end(); ++it) {
            if (it->connection.direct == direct && it->key == key) {
                if (chosen == m_idle.end()) {
                    chosen = it;
                }
                if (it->releasedBy == self) {
                    chosen = it;
                    break;
                }
            }
        }
        if (chosen == m_idle.end()) {
            return {};
        }
        Connection connection = std::move(chosen->connection);
        m_idle.erase(chosen);
        return connection;
    }

    // Most recently used first; the least recently used connection goes when the pool is full.
    void Release(const Aws::String& key, Connection connection, unsigned maxPerKey) {
        Connection evicted;  // closed after the lock is let go
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto sameKey = static_cast<size_t>(std::count_if(
            m_idle.begin(), m_idle.end(), [&](const IdleConnection& idle) { return idle.key == key; }));
        if (sameKey >= std::max(1U, maxPerKey)) {
            evicted = std::move(connection);
            return;
        }
        m_idle.push_front(IdleConnection{key, std::move(connection), std::this_thread::get_id()});
        if (m_idle.size() > m_maxIdle) {
            evicted = std::move(m_idle.back().connection);
            m_idle.pop_back();
        }
    }

    size_t IdleCount() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_idle.size();
    }

    CURLSH* Share() const { return m_caches.Handle(); }

private:
    size_t m_maxIdle;
    SharedCaches m_caches;
    std::mutex m_mutex;
    std::list<IdleConnection> m_idle;
};

std::mutex g_poolMutex;
std::shared_ptr<ConnectionPool> g_pool;

std::shared_ptr<ConnectionPool> CurrentPool() {
    const std::lock_guard<std::mutex> lock(g_poolMutex);
    return g_pool;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    static_cast<HttpResponse*>(user)->body.append(data, size * count);
    return size * count;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    const std::string_view line(data, size * count);
    AddResponseHeaderLine(*static_cast<HttpResponse*>(user), line);
    return line.size();
}

// What both paths set: how to connect, keep the connection alive and trust the peer.
void ConfigureConnection(CURL* handle, CURLSH* share, const TransportSettings& settings) {
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, settings.connectTimeoutMs);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, settings.httpRequestTimeoutMs);
    if (settings.enableTcpKeepAlive) {
        const long interval = static_cast<long>(settings.tcpKeepAliveIntervalMs / 1000);
        curl_easy_setopt(handle, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(handle, CURLOPT_TCP_KEEPINTVL, interval);
        curl_easy_setopt(handle, CURLOPT_TCP_KEEPIDLE, interval);
    }
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, settings.verifySSL ? 1L : 0L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, settings.verifySSL ? 2L : 0L);
    if (!settings.caPath.empty()) {
        curl_easy_setopt(handle, CURLOPT_CAPATH, settings.caPath.c_str());
    }
    if (!settings.caFile.empty()) {
        curl_easy_setopt(handle, CURLOPT_CAINFO, settings.caFile.c_str());
    }
    if (share != nullptr) {
        curl_easy_setopt(handle, CURLOPT_SHARE, share);
    }
}

void Configure(CURL* handle, CURLSH* share, const TransportSettings& settings, const HttpRequest& request,
               curl_slist* headers, HttpResponse& response) {
    ConfigureConnection(handle, share, settings);
    curl_easy_setopt(handle, CURLOPT_URL, Aws::String(request.url).c_str());
    curl_easy_setopt(handle, CURLOPT_POST, 1L);
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &response);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &response);
    // The request timeout is curl's low-speed window, in whole seconds and at least one.
    if (settings.requestTimeoutMs > 0) {
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, static_cast<long>(settings.lowSpeedLimit));
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, std::max(1L, settings.requestTimeoutMs / 1000));
    }
    if (!settings.proxyUrl.empty()) {
        curl_easy_setopt(handle, CURLOPT_PROXY, settings.proxyUrl.c_str());
        if (!settings.proxyUserName.empty() || !settings.proxyPassword.empty()) {
            curl_easy_setopt(handle, CURLOPT_PROXYUSERNAME, settings.proxyUserName.c_str());
            curl_easy_setopt(handle, CURLOPT_PROXYPASSWORD, settings.proxyPassword.c_str());
        }
        if (!settings.noProxy.empty()) {
            curl_easy_setopt(handle, CURLOPT_NOPROXY, settings.noProxy.c_str());
        }
    } else if (!settings.allowSystemProxy) {
        curl_easy_setopt(handle, CURLOPT_PROXY, "");  // ignore http_proxy & co. from the environment
    }
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, settings.followRedirects ? 1L : 0L);
}

void SetFailure(HttpResponse& response, int code) {
    response = HttpResponse();
    response.curlCode = code;
    response.curlMessage = curl_easy_strerror(static_cast<CURLcode>(code));
}

HttpResponse PerformThroughCurl(ConnectionPool* pool, const TransportSettings& settings,
                                const HttpRequest& request) {
    HttpResponse response;
    Connection connection = pool != nullptr ? pool->Acquire(settings.poolKey, false) : Connection{};
    if (connection.handle == nullptr) {
        connection.handle = curl_easy_init();
        AWS_LOGSTREAM_DEBUG(kTag, "Created a new connection handle.");
    }
    if (connection.handle == nullptr) {
        SetFailure(response, CURLE_FAILED_INIT);
        return response;
    }
    CURL* handle = connection.handle;
    curl_easy_reset(handle);  // keeps the handle's open connections and caches

    curl_slist* headers = nullptr;
    Aws::String line;
    for (const auto& [name, value] : request.headers) {
        line.assign(name).append(": ").append(value);
        headers = curl_slist_append(headers, line.c_str());
    }
    if (settings.disableExpectHeader) {
        headers = curl_slist_append(headers, "Expect:");
    }
    Configure(handle, pool != nullptr ? pool->Share() : nullptr, settings, request, headers, response);

    AWS_LOGSTREAM_DEBUG(kTag, "Making request to " << request.url);
    const CURLcode code = curl_easy_perform(handle);
    curl_slist_free_all(headers);

    if (code != CURLE_OK) {
        SetFailure(response, code);
    } else {
        long status = -1;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        response.status = status;
    }
    char* ip = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_PRIMARY_IP, &ip) == CURLE_OK && ip != nullptr) {
        response.remoteIp = ip;
    }
    if (pool != nullptr && code == CURLE_OK) {
        pool->Release(settings.poolKey, std::move(connection), settings.maxConnections);
    } else {
        connection.Close();  // a failed transfer may leave a half-open connection behind
    }
    return response;
}

// --- the direct path ------------------------------------------------------------------------------

// The request timeout is a window of at least one whole second in which some byte must move (what
// libcurl's low-speed limit of one byte a second means); the HTTP request timeout bounds it all.
class Timer {
public:
    explicit Timer(const TransportSettings& settings)
        : m_windowMs(settings.requestTimeoutMs > 0 ? std::max(1L, settings.requestTimeoutMs / 1000) * 1000
                                                   : -1),
          m_end(settings.httpRequestTimeoutMs > 0
                    ? std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(settings.httpRequestTimeoutMs)
                    : std::chrono::steady_clock::time_point::max()) {}

    // How long the next wait for the socket may take; -1 for ever.
    int NextWaitMs() const {
        if (m_end == std::chrono::steady_clock::time_point::max()) {
            return static_cast<int>(m_windowMs);
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(m_end - std::chrono::steady_clock::now())
                .count();
        const long bounded = std::max(0L, static_cast<long>(left));
        return static_cast<int>(m_windowMs < 0 ? bounded : std::min(m_windowMs, bounded));
    }

private:
    long m_windowMs;
    std::chrono::steady_clock::time_point m_end;
};

// CURLE_OK once the socket is ready, CURLE_OPERATION_TIMEDOUT when the timer runs out first.
CURLcode WaitFor(curl_socket_t socket, short events, const Timer& timer) {
    pollfd fd{socket, events, 0};
    int ready = 0;
    do {
        ready = poll(&fd, 1, timer.NextWaitMs());
    } while (ready < 0 && errno == EINTR);
    if (ready == 0) {
        return CURLE_OPERATION_TIMEDOUT;
    }
    return ready > 0 ? CURLE_OK : CURLE_RECV_ERROR;
}

CURLcode Connect(Connection& connection, CURLSH* share, const TransportSettings& settings,
                 const HttpRequest& request) {
    connection.handle = curl_easy_init();
    connection.direct = true;
    if (connection.handle == nullptr) {
        return CURLE_FAILED_INIT;
    }
    CURL* handle = connection.handle;
    ConfigureConnection(handle, share, settings);
    curl_easy_setopt(handle, CURLOPT_URL, Aws::String(request.url).c_str());
    curl_easy_setopt(handle, CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(handle, CURLOPT_PROXY, "");  // the direct path is only taken without a proxy
    AWS_LOGSTREAM_DEBUG(kTag, "Connecting to " << request.url);
    const CURLcode code = curl_easy_perform(handle);
    if (code != CURLE_OK) {
        return code;
    }
    if (curl_easy_getinfo(handle, CURLINFO_ACTIVESOCKET, &connection.socket) != CURLE_OK ||
        connection.socket == CURL_SOCKET_BAD) {
        return CURLE_COULDNT_CONNECT;
    }
    char* ip = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_PRIMARY_IP, &ip) == CURLE_OK && ip != nullptr) {
        connection.remoteIp = ip;
    }
    return CURLE_OK;
}

void WriteRequest(Aws::String& out, const HttpRequest& request) {
    const auto authority = request.url.find("://");
    const auto pathStart = request.url.find('/', authority == std::string_view::npos ? 0 : authority + 3);
    const std::string_view path =
        pathStart == std::string_view::npos ? std::string_view("/") : request.url.substr(pathStart);
    out.clear();
    out.append("POST ").append(path).append(" HTTP/1.1\r\n");
    for (const auto& [name, value] : request.headers) {
        out.append(name).append(": ").append(value).append("\r\n");
    }
    out.append("Accept: */*\r\n\r\n").append(request.body);  // as libcurl writes it
}

struct Exchanged {
    CURLcode code = CURLE_OK;
    bool answered = false;  // some byte of a response arrived
    bool keepAlive = false;
};

Exchanged Exchange(Connection& connection, const Timer& timer, const HttpRequest& request,
                   HttpResponse& response) {
    Exchanged result;
    WriteRequest(connection.outbox, request);
    const std::string_view out = connection.outbox;
    for (size_t sent = 0; sent < out.size();) {
        size_t n = 0;
        result.code = curl_easy_send(connection.handle, out.data() + sent, out.size() - sent, &n);
        if (result.code == CURLE_AGAIN) {
            result.code = WaitFor(connection.socket, POLLOUT, timer);
        }
        if (result.code != CURLE_OK) {
            return result;
        }
        sent += n;
    }

    ResponseReader reader(response);
    std::array<char, 16384> buffer;
    // Nothing can be waiting before the request is out: wait first, then read until it would block.
    result.code = WaitFor(connection.socket, POLLIN, timer);
    while (result.code == CURLE_OK) {
        size_t n = 0;
        result.code = curl_easy_recv(connection.handle, buffer.data(), buffer.size(), &n);
        if (result.code == CURLE_AGAIN) {
            result.code = WaitFor(connection.socket, POLLIN, timer);
            continue;
        }
        if (result.code != CURLE_OK) {
            break;
        }
        const auto state = n > 0 ? reader.Feed(std::string_view(buffer.data(), n)) : reader.End();
        if (state == ResponseReader::State::Done) {
            result.keepAlive = reader.KeepAlive();
            break;
        }
        if (state == ResponseReader::State::Failed) {
            result.code = static_cast<CURLcode>(reader.FailureCode());
        }
    }
    result.answered = reader.Started();
    return result;
}

HttpResponse PerformDirect(ConnectionPool* pool, const TransportSettings& settings,
                           const HttpRequest& request) {
    const Timer timer(settings);
    CURLSH* share = pool != nullptr ? pool->Share() : nullptr;
    HttpResponse response;
    Connection connection = pool != nullptr ? pool->Acquire(settings.poolKey, true) : Connection{};
    const bool reused = connection.handle != nullptr;
    Exchanged result;
    if (!reused) {
        result.code = Connect(connection, share, settings, request);
    }
    if (result.code == CURLE_OK) {
        result = Exchange(connection, timer, request, response);
    }
    if (reused && !result.answered && result.code != CURLE_OK && result.code != CURLE_OPERATION_TIMEDOUT) {
        // The peer had closed the idle connection before the request reached it: once more on a new one.
        AWS_LOGSTREAM_DEBUG(kTag, "Connection died, retrying on a new one.");
        connection.Close();
        response = HttpResponse();
        result.code = Connect(connection, share, settings, request);
        if (result.code == CURLE_OK) {
            result = Exchange(connection, timer, request, response);
        }
    }
    if (result.code != CURLE_OK) {
        SetFailure(response, result.code);
        return response;
    }
    response.remoteIp = connection.remoteIp;
    if (pool != nullptr && result.keepAlive) {
        pool->Release(settings.poolKey, std::move(connection), settings.maxConnections);
    }
    return response;
}

bool WritesItsOwnRequests(const TransportSettings& settings) {
    return settings.proxyUrl.empty() && !settings.allowSystemProxy && settings.lowSpeedLimit <= 1;
}

bool IsRedirect(const HttpResponse& response) {
    return response.status >= 300 && response.status < 400 && response.status != 304 &&
           response.headers.count("location") != 0;
}

}  // namespace

HttpResponse PerformOnNetwork(const TransportSettings& settings, const HttpRequest& request) {
    const auto pool = CurrentPool();
    const bool direct = WritesItsOwnRequests(settings);
    HttpResponse response;
    if (direct) {
        response = PerformDirect(pool.get(), settings, request);
    }
    // A redirect to follow, or a proxy: libcurl does the whole request.
    if (!direct || (settings.followRedirects && IsRedirect(response))) {
        response = PerformThroughCurl(pool.get(), settings, request);
    }
    if (response.curlCode != 0) {
        AWS_LOGSTREAM_ERROR(
            kTag, "Curl returned error code " << response.curlCode << " - " << response.curlMessage);
    } else {
        AWS_LOGSTREAM_DEBUG(kTag, "Returned http response code " << response.status);
    }
    return response;
}

void GlobalHttpInit(bool initAndCleanupCurl) {
    if (initAndCleanupCurl) {
        curl_global_init(CURL_GLOBAL_ALL);
    }
}

void GlobalHttpCleanup(bool initAndCleanupCurl) {
    if (initAndCleanupCurl) {
        curl_global_cleanup();
    }
}

void StartConnectionPool(size_t maxIdleHandles) {
    auto pool = std::make_shared<ConnectionPool>(maxIdleHandles);
    const std::lock_guard<std::mutex> lock(g_poolMutex);
    g_pool = std::move(pool);
}

void StopConnectionPool() {
    std::shared_ptr<ConnectionPool> old;
    {
        const std::lock_guard<std::mutex> lock(g_poolMutex);
        old = std::move(g_pool);
    }
}

size_t IdleHandleCount() {
    const auto pool = CurrentPool();
    return pool ? pool->IdleCount() : 0;
}

}  // namespace Internal
}  // namespace Aws
