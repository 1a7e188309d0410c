#include "core/transport.h"
#include "core/transport_platform.h"

#include "core/log.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <list>
#include <memory>
#include <mutex>

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

struct IdleHandle {
    Aws::String key;
    CURL* handle;
};

class ConnectionPool {
public:
    explicit ConnectionPool(size_t maxIdle) : m_maxIdle(maxIdle) {}
    ~ConnectionPool() {
        for (auto& idle : m_idle) {
            curl_easy_cleanup(idle.handle);
        }
    }
    ConnectionPool(const ConnectionPool&) = delete;
    ConnectionPool& operator=(const ConnectionPool&) = delete;

    CURL* Acquire(const Aws::String& key) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            const auto it = std::find_if(m_idle.begin(), m_idle.end(),
                                         [&](const IdleHandle& idle) { return idle.key == key; });
            if (it != m_idle.end()) {
                CURL* handle = it->handle;
                m_idle.erase(it);
                return handle;
            }
        }
        CURL* handle = curl_easy_init();
        AWS_LOGSTREAM_DEBUG(kTag, "Created a new connection handle.");
        return handle;
    }

    // Most recently used first; the least recently used handle goes when the pool is full.
    void Release(const Aws::String& key, CURL* handle, unsigned maxPerKey) {
        CURL* evicted = nullptr;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            const auto sameKey = static_cast<size_t>(std::count_if(
                m_idle.begin(), m_idle.end(), [&](const IdleHandle& idle) { return idle.key == key; }));
            if (sameKey >= std::max(1U, maxPerKey)) {
                evicted = handle;
            } else {
                m_idle.push_front(IdleHandle{key, handle});
                if (m_idle.size() > m_maxIdle) {
                    evicted = m_idle.back().handle;
                    m_idle.pop_back();
                }
            }
        }
        if (evicted != nullptr) {
            curl_easy_cleanup(evicted);
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
    std::list<IdleHandle> m_idle;
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

void Configure(CURL* handle, CURLSH* share, const TransportSettings& settings, const HttpRequest& request,
               curl_slist* headers, HttpResponse& response) {
    curl_easy_setopt(handle, CURLOPT_URL, Aws::String(request.url).c_str());
    curl_easy_setopt(handle, CURLOPT_POST, 1L);
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &response);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &response);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, settings.connectTimeoutMs);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, settings.httpRequestTimeoutMs);
    // The request timeout is curl's low-speed window, in whole seconds and at least one.
    if (settings.requestTimeoutMs > 0) {
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, static_cast<long>(settings.lowSpeedLimit));
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, std::max(1L, settings.requestTimeoutMs / 1000));
    }
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
    if (share != nullptr) {
        curl_easy_setopt(handle, CURLOPT_SHARE, share);
    }
}

}  // namespace

HttpResponse PerformOnNetwork(const TransportSettings& settings, const HttpRequest& request) {
    HttpResponse response;
    const auto pool = CurrentPool();
    CURL* handle = pool ? pool->Acquire(settings.poolKey) : curl_easy_init();
    if (handle == nullptr) {
        response.curlCode = CURLE_FAILED_INIT;
        response.curlMessage = curl_easy_strerror(CURLE_FAILED_INIT);
        return response;
    }
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
    Configure(handle, pool ? pool->Share() : nullptr, settings, request, headers, response);

    AWS_LOGSTREAM_DEBUG(kTag, "Making request to " << request.url);
    const CURLcode code = curl_easy_perform(handle);
    curl_slist_free_all(headers);

    if (code != CURLE_OK) {
        response.curlCode = static_cast<int>(code);
        response.curlMessage = curl_easy_strerror(code);
        response.headers.clear();
        AWS_LOGSTREAM_ERROR(
            kTag, "Curl returned error code " << response.curlCode << " - " << response.curlMessage);
    } else {
        long status = -1;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        response.status = status;
        AWS_LOGSTREAM_DEBUG(kTag, "Returned http response code " << status);
    }
    char* ip = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_PRIMARY_IP, &ip) == CURLE_OK && ip != nullptr) {
        response.remoteIp = ip;
    }

    if (pool && code == CURLE_OK) {
        pool->Release(settings.poolKey, handle, settings.maxConnections);
    } else {
        curl_easy_cleanup(handle);  // a failed transfer may leave a half-open connection behind
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
