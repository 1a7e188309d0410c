// The HTTP side: routes AWS requests by their credential scope, verifies them, injects faults, logs
// them, and serves the admin endpoints under /_emulator/.
#include "common.hpp"
#include "faults.hpp"
#include "router.hpp"
#include "tls.hpp"

#include <httplib.h>
#include <openssl/ssl.h>
#include <sys/socket.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>

#if defined(__SANITIZE_THREAD__)
// Debian's libcpp-httplib is not built with ThreadSanitizer, so the synchronisation inside it is
// invisible and its worker threads look racy. Reports from inside that library are suppressed.
// That also hides httplib's close() of a connection: once reset_connection has connect()ed on the
// socket, the next descriptor to get the same number on another thread looks like a race with that
// connect, although the kernel orders the close before the reuse.
extern "C" __attribute__((visibility("default"))) const char* __tsan_default_suppressions() {
    return "called_from_lib:libcpp-httplib.so.0.11\n"
           "race:emulator::detail::reset_connection\n";
}
#endif

namespace orvane::tessel::emulator {

using namespace detail;
using json = nlohmann::ordered_json;

namespace {

// Calls visit(descriptor, local port, peer port) for each IPv4 socket of this process that has a
// peer.
template <class Visit>
void for_each_connection(Visit visit) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        int fd = -1;
        try {
            fd = std::stoi(entry.path().filename().string());
        } catch (const std::exception&) {
            continue;
        }
        sockaddr_storage local{};
        sockaddr_storage peer{};
        socklen_t local_size = sizeof(local);
        socklen_t peer_size = sizeof(peer);
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &local_size) != 0 ||
            getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peer_size) != 0 ||
            local.ss_family != AF_INET || peer.ss_family != AF_INET) {
            continue;
        }
        const auto* l = reinterpret_cast<const sockaddr_in*>(&local);
        const auto* p = reinterpret_cast<const sockaddr_in*>(&peer);
        visit(fd, ntohs(l->sin_port), ntohs(p->sin_port));
    }
}

// The socket behind a plain-HTTP request, found by its address pair.
int find_socket(const httplib::Request& req) {
    int found = -1;
    for_each_connection([&](int fd, std::uint16_t local, std::uint16_t peer) {
        if (local == req.local_port && peer == req.remote_port) {
            found = fd;
        }
    });
    return found;
}

// Ends the server side of every connection still open: an idle keep-alive connection would otherwise
// keep its worker, and stop() with it, until the keep-alive timeout. The descriptors stay httplib's
// to close.
void hang_up_all(std::uint16_t server_port) {
    for_each_connection([&](int fd, std::uint16_t local, std::uint16_t /*peer*/) {
        if (local == server_port) {
            close_connection(fd);
        }
    });
}

int socket_of(const httplib::Request& req) {
    return req.ssl != nullptr ? SSL_get_fd(req.ssl) : find_socket(req);
}

json to_json(const request_record& r) {
    return {{"sequence", r.sequence}, {"service", r.service},       {"operation", r.operation},
            {"region", r.region},     {"access_key", r.access_key}, {"parameters", r.parameters},
            {"status", r.status},     {"error_code", r.error_code}, {"fault", r.fault}};
}

json to_json(const fault& f) {
    return {{"operation", f.operation},
            {"region", f.region},
            {"access_key", f.access_key},
            {"kind", to_string(f.kind)},
            {"status", f.status},
            {"body", f.with_body},
            {"code", f.code},
            {"message", f.message},
            {"delay_ms", f.delay.count()},
            {"skip_first", f.skip_first},
            {"times", f.times}};
}

// httplib hands every accepted connection to its task queue as one task: counting the tasks counts
// the connections.
class counting_queue final : public httplib::TaskQueue {
public:
    counting_queue(std::size_t threads, std::atomic<std::uint64_t>& accepted)
        : pool_(threads), accepted_(accepted) {}

    void enqueue(std::function<void()> task) override {
        accepted_.fetch_add(1, std::memory_order_relaxed);
        pool_.enqueue(std::move(task));
    }
    void shutdown() override { pool_.shutdown(); }
    void on_idle() override { pool_.on_idle(); }

private:
    httplib::ThreadPool pool_;
    std::atomic<std::uint64_t>& accepted_;
};

// Writing to a connection the peer (or a drop fault) has closed must not kill the process.
void ignore_sigpipe() {
    struct sigaction current {};
    if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        std::signal(SIGPIPE, SIG_IGN);
    }
}

}  // namespace

struct server::impl {
    impl(scenario s, server_options o) : scen(std::move(s)), options(std::move(o)) {
        faults.replace(scen.model().faults);
        std::random_device rd;
        id_seed = (static_cast<std::uint64_t>(rd()) << 32U) ^ rd();
        empty_region.name = std::string(ce_region);
    }

    scenario scen;
    server_options options;
    fault_registry faults;
    mutable std::mutex log_mutex;
    std::vector<request_record> log;
    std::uint64_t next_sequence = 1;
    std::atomic<std::uint64_t> request_counter{0};
    std::atomic<std::uint64_t> connections_accepted{0};
    std::uint64_t id_seed = 0;
    region_data empty_region;

    std::unique_ptr<httplib::Server> http;
    std::thread thread;
    std::uint16_t port = 0;
    int listener = -1;
    bool tls = false;
    SSL_CTX* tls_context = nullptr;  // owned by http; OpenSSL counts its handshakes
    std::string certificate_pem;

    std::mutex stop_mutex;
    std::condition_variable stop_signal;
    bool stopping = false;

    [[nodiscard]] seconds_t now() const {
        return to_seconds(options.clock ? options.clock() : std::chrono::system_clock::now());
    }

    std::string make_request_id() {
        const auto n = ++request_counter;
        std::uint64_t a = (id_seed ^ (n * 0x9E3779B97F4A7C15ULL)) * 0xBF58476D1CE4E5B9ULL;
        a ^= a >> 31U;
        std::array<char, 40> buffer{};
        std::snprintf(
            buffer.data(), buffer.size(), "%08llx-%04llx-4%03llx-8%03llx-%012llx",
            static_cast<unsigned long long>(a >> 32U), static_cast<unsigned long long>((a >> 16U) & 0xFFFFU),
            static_cast<unsigned long long>(a & 0xFFFU), static_cast<unsigned long long>(n >> 40U & 0xFFFU),
            static_cast<unsigned long long>(n & 0xFFFFFFFFFFFFULL));
        return buffer.data();
    }

    std::uint64_t arrival() {
        const std::lock_guard lock(log_mutex);
        return next_sequence++;
    }

    // Kept in arrival order, although a delayed request finishes after later ones.
    void record(request_record r) {
        if (!options.keep_request_log) {
            return;
        }
        const std::lock_guard lock(log_mutex);
        const auto at =
            std::upper_bound(log.begin(), log.end(), r.sequence,
                             [](std::uint64_t s, const request_record& x) { return s < x.sequence; });
        log.insert(at, std::move(r));
    }

    bool is_stopping() {
        const std::lock_guard lock(stop_mutex);
        return stopping;
    }

    // Waits for `delay` unless the server stops first.
    void pause(std::chrono::milliseconds delay) {
        std::unique_lock lock(stop_mutex);
        stop_signal.wait_for(lock, delay, [this] { return stopping; });
    }

    // Announces the whole body, sends its first part, then gives up the connection: httplib closes
    // it when the provider fails, and a reset goes out before that when asked for.
    static void break_off(const httplib::Request& req, httplib::Response& res, reply r, bool reset) {
        const int fd = reset ? socket_of(req) : -1;
        const auto size = r.body.size();
        res.set_content_provider(
            size, r.content_type,
            [body = std::move(r.body), fd](std::size_t, std::size_t, httplib::DataSink& sink) {
                sink.write(body.data(), cut_length(body.size()));
                if (fd >= 0) {
                    reset_connection(fd);
                }
                return false;
            });
    }

    static void answer(const httplib::Request& req, httplib::Response& res, reply r,
                       const std::string& request_id, seconds_t now, std::optional<fault_effect> effect) {
        res.status = r.status;
        res.set_header("x-amzn-RequestId", request_id);
        res.set_header("Date", http_date(now));
        if (r.status == 200 && (effect == fault_effect::cut || effect == fault_effect::reset)) {
            break_off(req, res, std::move(r), effect == fault_effect::reset);
        } else if (!r.body.empty()) {
            res.set_content(r.body, r.content_type);
        }
    }

    // One AWS request on its way through the server.
    struct exchange {
        const httplib::Request& req;
        httplib::Response& res;
        seconds_t now;
        std::string request_id;
        inbound in;
        request_record rec;
        std::optional<fault> applied;
        std::optional<fault_effect> effect;
    };

    void handle_aws(const httplib::Request& req, httplib::Response& res) {
        exchange x{req, res, now(), make_request_id(), read_inbound(req), {}, std::nullopt, std::nullopt};
        x.rec = first_record(x.in, req.body);
        x.rec.sequence = arrival();
        reply r;
        try {
            auto served = serve(x);
            if (!served) {
                return;
            }
            r = std::move(*served);
        } catch (const api_error& e) {
            r = refusal(x, e);
        } catch (const std::exception& e) {
            r = error_reply(*x.in.dialect, api_error("InternalFailure", e.what(), 500, false), x.request_id);
            x.rec.error_code = "InternalFailure";
        }
        if (x.applied) {
            x.rec.fault = std::string(to_string(x.applied->kind));
        }
        x.rec.status = r.status;
        record(std::move(x.rec));
        answer(req, res, std::move(r), x.request_id, x.now, x.effect);
    }

    // The operation's answer, reshaped by a fault that asks for it; nothing once a fault has taken the
    // connection.
    std::optional<reply> serve(exchange& x) {
        const auto& acct = authenticate(scen.model(), x.in, x.now);
        const auto& service = *x.in.service;
        const auto& op = resolve_operation(service, x.req, x.in.params, x.rec.operation);
        const auto& region = resolve_region(service, acct, x.in.auth->scope.region, empty_region);
        if (!strike(x, op, acct)) {
            return std::nullopt;
        }
        std::optional<std::size_t> page_size;
        if (const auto it = scen.model().page_sizes.find(op.name); it != scen.model().page_sizes.end()) {
            page_size = it->second;
        }
        const call_context ctx{acct, region, op, x.in.params, x.req.body, x.now, x.request_id, page_size};
        auto r = handler_for(op.name)(ctx);
        if (x.effect == fault_effect::reshape) {
            reshape_answer(x.applied->kind, service, op.name, x.request_id, r);
        }
        return r;
    }

    // What a matching fault does before the answer: throws its error, waits out its delay, or takes
    // the connection (false).
    bool strike(exchange& x, const operation_info& op, const account& acct) {
        x.applied = faults.match(op.name, x.in.auth->scope.region, x.in.auth->access_key);
        x.effect = x.applied ? std::optional(effect_of(x.applied->kind)) : std::nullopt;
        if (x.effect == fault_effect::error) {
            throw fault_error(*x.applied, *x.in.service, op.name, acct.id);
        }
        if (x.effect == fault_effect::delay) {
            pause(x.applied->delay);
        }
        if (x.effect == fault_effect::drop || x.effect == fault_effect::hold) {
            take_connection(x);
            return false;
        }
        return true;
    }

    void take_connection(exchange& x) {
        // Logged first: the client may count its requests as soon as it gives up.
        x.rec.fault = std::string(to_string(x.applied->kind));
        record(std::move(x.rec));
        const int fd = socket_of(x.req);
        if (x.effect == fault_effect::drop) {
            close_connection(fd);
        } else {
            hold_until_hangup(fd, [this] { return is_stopping(); });
        }
        x.res.status = 500;
    }

    // The service's error answer; a bare http_status fault leaves it without a body.
    static reply refusal(exchange& x, const api_error& e) {
        auto r = error_reply(*x.in.dialect, e, x.request_id);
        x.rec.error_code = e.code;
        if (x.in.dialect->wire == protocol::json) {
            x.res.set_header("x-amzn-ErrorType", e.code);
        }
        if (x.applied && x.applied->kind == fault_kind::http_status && !x.applied->with_body) {
            r.body.clear();
            x.res.headers.erase("x-amzn-ErrorType");
        }
        return r;
    }

    std::vector<request_record> snapshot() const {
        const std::lock_guard lock(log_mutex);
        return log;
    }

    void admin_requests(const httplib::Request& req, httplib::Response& res) const {
        const auto operation = req.get_param_value("operation");
        const auto region = req.get_param_value("region");
        json list = json::array();
        json counts = json::object();
        json by_region = json::object();
        for (const auto& r : snapshot()) {
            if ((!operation.empty() && r.operation != operation) || (!region.empty() && r.region != region)) {
                continue;
            }
            list.push_back(to_json(r));
            auto& count = counts[r.operation];
            count = count.is_null() ? 1 : count.get<int>() + 1;
            auto& per_region = by_region[r.operation][r.region];
            per_region = per_region.is_null() ? 1 : per_region.get<int>() + 1;
        }
        res.set_content(json{{"requests", list}, {"counts", counts}, {"counts_by_region", by_region}}.dump(),
                        "application/json");
    }

    void admin_add_faults(const httplib::Request& req, httplib::Response& res) {
        try {
            const auto body = json::parse(req.body);
            std::vector<fault> parsed;
            if (body.is_array()) {
                for (const auto& item : body) {
                    parsed.push_back(parse_fault(item.dump()));
                }
            } else {
                parsed.push_back(parse_fault(req.body));
            }
            json ids = json::array();
            for (auto& f : parsed) {
                ids.push_back(faults.add(std::move(f)));
            }
            res.set_content(json{{"ids", ids}}.dump(), "application/json");
        } catch (const std::exception& e) {
            res.status = 400;
            res.set_content(json{{"error", e.what()}}.dump(), "application/json");
        }
    }

    void admin_list_faults(httplib::Response& res) const {
        json list = json::array();
        for (const auto& e : faults.list()) {
            auto item = to_json(e.f);
            item["id"] = e.id;
            item["matched"] = e.matched;
            item["applied"] = e.applied;
            list.push_back(std::move(item));
        }
        res.set_content(json{{"faults", list}}.dump(), "application/json");
    }

    void clear_log() {
        const std::lock_guard lock(log_mutex);
        std::vector<request_record>().swap(log);  // its memory too: benchmarks read the heap between runs
        next_sequence = 1;
    }

    void reset() {
        faults.replace(scen.model().faults);
        clear_log();
    }

    void install_routes() {
        const auto ok = [](httplib::Response& res) {
            res.set_content("{\"status\":\"ok\"}", "application/json");
        };
        http->Get("/_emulator/health", [ok](const httplib::Request&, httplib::Response& res) { ok(res); });
        http->Get("/_emulator/requests",
                  [this](const httplib::Request& req, httplib::Response& res) { admin_requests(req, res); });
        http->Delete("/_emulator/requests", [this, ok](const httplib::Request&, httplib::Response& res) {
            clear_log();
            ok(res);
        });
        http->Get("/_emulator/faults",
                  [this](const httplib::Request&, httplib::Response& res) { admin_list_faults(res); });
        http->Post("/_emulator/faults", [this](const httplib::Request& req, httplib::Response& res) {
            admin_add_faults(req, res);
        });
        http->Delete("/_emulator/faults", [this, ok](const httplib::Request&, httplib::Response& res) {
            faults.clear();
            ok(res);
        });
        http->Post("/_emulator/reset", [this, ok](const httplib::Request&, httplib::Response& res) {
            reset();
            ok(res);
        });
        const auto aws = [this](const httplib::Request& req, httplib::Response& res) {
            handle_aws(req, res);
        };
        http->Post(R"(/.*)", aws);
        http->Get(R"(/.*)", aws);
    }
};

server::server(scenario s, server_options options)
    : impl_(std::make_unique<impl>(std::move(s), std::move(options))) {}

server::~server() {
    stop();
}

void server::start(std::uint16_t port, bool tls) {
    if (impl_->http) {
        throw std::runtime_error("the emulator is already running");
    }
    ignore_sigpipe();
    if (tls) {
        auto cert = make_self_signed_certificate();
        auto server = std::make_unique<httplib::SSLServer>(cert.certificate.get(), cert.key.get());
        impl_->tls_context = server->ssl_context();
        impl_->http = std::move(server);
        impl_->certificate_pem = std::move(cert.certificate_pem);
    } else {
        impl_->http = std::make_unique<httplib::Server>();
        impl_->tls_context = nullptr;
    }
    auto& http = *impl_->http;
    if (!http.is_valid()) {
        impl_->http.reset();
        throw std::runtime_error("the emulator's HTTP server could not be set up");
    }
    const auto threads = std::max<std::size_t>(impl_->options.threads, 1);
    // httplib owns the queue it is handed.
    http.new_task_queue = [threads, &accepted = impl_->connections_accepted] {
        return std::make_unique<counting_queue>(threads, accepted).release();
    };
    http.set_keep_alive_max_count(impl_->options.keep_alive_max_requests);
    // httplib writes headers and body separately; without this Nagle and delayed ACKs add 40 ms.
    http.set_tcp_nodelay(true);
    http.set_payload_max_length(std::size_t{16} * 1024 * 1024);
    // httplib's default also sets SO_REUSEPORT, which would let two emulators share a port.
    http.set_socket_options([state = impl_.get()](socket_t sock) {
        const int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        state->listener = sock;
    });
    impl_->install_routes();
    const int bound =
        port == 0 ? http.bind_to_any_port("127.0.0.1") : (http.bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound <= 0) {
        impl_->http.reset();
        throw std::runtime_error("cannot bind 127.0.0.1:" + std::to_string(port));
    }
    // httplib listens with a backlog of 5; a burst of new connections would overflow it.
    ::listen(impl_->listener, SOMAXCONN);
    impl_->port = static_cast<std::uint16_t>(bound);
    impl_->tls = tls;
    {
        const std::lock_guard lock(impl_->stop_mutex);
        impl_->stopping = false;
    }
    impl_->thread = std::thread([&http] { http.listen_after_bind(); });
    while (!http.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void server::stop() {
    if (!impl_->http) {
        return;
    }
    {
        const std::lock_guard lock(impl_->stop_mutex);
        impl_->stopping = true;
    }
    impl_->stop_signal.notify_all();
    impl_->http->stop();
    hang_up_all(impl_->port);
    if (impl_->thread.joinable()) {
        impl_->thread.join();
    }
    impl_->http.reset();
    impl_->tls_context = nullptr;
}

std::uint16_t server::port() const {
    return impl_->port;
}

std::string server::base_url() const {
    return std::string(impl_->tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(impl_->port);
}

std::string server::certificate_pem() const {
    return impl_->certificate_pem;
}

std::size_t server::add_fault(fault f) {
    return impl_->faults.add(std::move(f));
}

void server::clear_faults() {
    impl_->faults.clear();
}

std::vector<request_record> server::requests() const {
    return impl_->snapshot();
}

void server::clear_requests() {
    impl_->clear_log();
}

std::size_t server::count(std::string_view operation, std::string_view region) const {
    const std::lock_guard lock(impl_->log_mutex);
    return static_cast<std::size_t>(
        std::count_if(impl_->log.begin(), impl_->log.end(), [&](const request_record& r) {
            return r.operation == operation && (region.empty() || r.region == region);
        }));
}

traffic_counts server::traffic() const {
    traffic_counts counts;
    counts.requests = impl_->request_counter.load(std::memory_order_relaxed);
    counts.connections = impl_->connections_accepted.load(std::memory_order_relaxed);
    if (impl_->tls_context != nullptr) {
        counts.tls_handshakes = static_cast<std::uint64_t>(SSL_CTX_sess_accept_good(impl_->tls_context));
        counts.tls_resumed = static_cast<std::uint64_t>(SSL_CTX_sess_hits(impl_->tls_context));
    }
    return counts;
}

void server::reset() {
    impl_->reset();
}

}  // namespace orvane::tessel::emulator
