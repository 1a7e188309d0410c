#pragma once

#include <httplib.h>
#include <strings.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace awssdk_test {

struct SeenRequest {
    std::string path;
    std::multimap<std::string, std::string> headers;  // names as received
    std::string body;
    std::string remote;  // address:port of the client socket

    std::string Header(const std::string& name) const {
        for (const auto& [key, value] : headers) {
            if (strcasecmp(key.c_str(), name.c_str()) == 0) {
                return value;
            }
        }
        return {};
    }
};

// An HTTP(S) server on a free loopback port that records every request and answers with `handler`.
class LoopbackServer {
public:
    using Handler = std::function<void(const SeenRequest&, size_t index, httplib::Response&)>;

    explicit LoopbackServer(std::unique_ptr<httplib::Server> server = std::make_unique<httplib::Server>())
        : m_server(std::move(server)) {
        m_server->Post(".*",
                       [this](const httplib::Request& req, httplib::Response& res) { Serve(req, res); });
        // Stopping waits for idle keep-alive connections to time out; a second keeps tests quick.
        m_server->set_keep_alive_timeout(1);
        m_port = m_server->bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server->listen_after_bind(); });
        while (!m_server->is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        InitializeRequestParsing();
    }
    ~LoopbackServer() {
        m_server->stop();
        m_thread.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return m_port; }
    std::string Url(const char* scheme = "http") const {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(m_port);
    }
    void SetHandler(Handler handler) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_handler = std::move(handler);
    }
    std::vector<SeenRequest> Requests() const {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }
    size_t Connections() const {
        const std::lock_guard<std::mutex> lock(m_mutex);
        std::set<std::string> remotes;
        for (const auto& request : m_requests) {
            remotes.insert(request.remote);
        }
        return remotes.size();
    }

private:
    // Debian's libcpp-httplib is not built with ThreadSanitizer. Server::parse_request_line keeps its
    // method names in a function-local static set; a worker that finds it built skips
    // __cxa_guard_acquire through an inline test of the guard byte, an acquire that ThreadSanitizer
    // cannot see. Two workers in their first requests at once then look like a race: the set's
    // strings written by memcpy under the guard, read by memcmp after it. One request answered
    // before anything else reaches the server builds the set. Every later request is sent after
    // this thread has read that answer, and ThreadSanitizer orders a socket read after the write it
    // reads, so the set is seen built before every later use. The request is a GET, which no
    // handler serves, so it is not recorded.
    void InitializeRequestParsing() {
        const bool tls = dynamic_cast<httplib::SSLServer*>(m_server.get()) != nullptr;
        httplib::Client client(Url(tls ? "https" : "http"));
        client.enable_server_certificate_verification(false);
        client.Get("/");
    }

    void Serve(const httplib::Request& req, httplib::Response& res) {
        SeenRequest seen{req.path,
                         {req.headers.begin(), req.headers.end()},
                         req.body,
                         req.remote_addr + ":" + std::to_string(req.remote_port)};
        Handler handler;
        size_t index = 0;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            index = m_requests.size();
            m_requests.push_back(seen);
            handler = m_handler;
        }
        if (handler) {
            handler(seen, index, res);
        } else {
            res.set_content("", "text/xml");
        }
    }

    std::unique_ptr<httplib::Server> m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    Handler m_handler;
    std::vector<SeenRequest> m_requests;
};

}  // namespace awssdk_test
