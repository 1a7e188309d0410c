// The HTTP side: routes AWS requests by their credential scope, verifies them, injects faults, logs
// them, and serves the admin endpoints under /_emulator/.
#include "auth.hpp"
#include "common.hpp"
#include "faults.hpp"
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

constexpr std::string_view ce_target_prefix = "AWSInsightsIndexService.";
constexpr std::string_view ce_region = "us-east-1";

const std::string* header(const httplib::Request& req, const char* name) {
    const auto it = req.headers.find(name);
    return it == req.headers.end() ? nullptr : &it->second;
}

void parse_form(std::string_view text, param_map& out) {
    while (!text.empty()) {
        const auto amp = text.find('&');
        const auto item = text.substr(0, amp);
        text = amp == std::string_view::npos ? std::string_view{} : text.substr(amp + 1);
        if (item.empty()) {
            continue;
        }
        const auto eq = item.find('=');
        out.insert_or_assign(
            sigv4::uri_decode(item.substr(0, eq)),
            eq == std::string_view::npos ? std::string{} : sigv4::uri_decode(item.substr(eq + 1)));
    }
}

// Cost Explorer's JSON members, flattened like Query parameters: TimePeriod.Start, Metrics.1.
void flatten(const json& value, const std::string& prefix, std::map<std::string, std::string>& out) {
    if (value.is_object()) {
        for (const auto& [key, child] : value.items()) {
            flatten(child, prefix.empty() ? key : std::string(prefix).append(".").append(key), out);
        }
    } else if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i) {
            flatten(value[i], prefix + "." + std::to_string(i + 1), out);
        }
    } else {
        out[prefix] = value.is_string() ? value.get<std::string>() : value.dump();
    }
}

const service_info& guess_service(const httplib::Request& req, const param_map& params) {
    if (header(req, "X-Amz-Target") != nullptr) {
        return ce_service;
    }
    if (const auto* version = find_param(params, "Version")) {
        for (const auto* s : services) {
            if (s->version == *version) {
                return *s;
            }
        }
    }
    return ec2_service;
}

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

using handler = reply (*)(const call_context&);

handler handler_for(std::string_view operation) {
    static constexpr std::array<std::pair<std::string_view, handler>, operations.size()> table{{
        {"DescribeRegions", describe_regions},
        {"DescribeInstances", describe_instances},
        {"DescribeVolumes", describe_volumes},
        {"GetMetricStatistics", get_metric_statistics},
        {"ListMetrics", list_metrics},
        {"DescribeAlarms", describe_alarms},
        {"DescribeLoadBalancers", describe_load_balancers},
        {"DescribeDBInstances", describe_db_instances},
        {"GetCostAndUsage", get_cost_and_usage},
        {"GetCostForecast", get_cost_forecast},
    }};
    for (const auto& [name, h] : table) {
        if (name == operation) {
            return h;
        }
    }
    throw api_error("InvalidAction",
                    "The action " + std::string(operation) + " is not valid for this web service.");
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

    static const operation_info& resolve_operation(const service_info& service, const httplib::Request& req,
                                                   const param_map& params, std::string& name) {
        if (service.wire == protocol::json) {
            const auto* target = header(req, "X-Amz-Target");
            if (target == nullptr || target->rfind(ce_target_prefix, 0) != 0) {
                throw api_error("UnknownOperationException", "", 400);
            }
            name = target->substr(ce_target_prefix.size());
        } else {
            const auto* action = find_param(params, "Action");
            if (action == nullptr || action->empty()) {
                throw api_error("MissingAction", "The request must contain the parameter Action");
            }
            name = *action;
            const auto* version = find_param(params, "Version");
            if (version == nullptr || version->empty()) {
                throw api_error("MissingParameter", "The request must contain the parameter Version");
            }
            if (*version != service.version) {
                throw api_error("InvalidAction",
                                "Could not find operation " + name + " for version " + *version);
            }
        }
        const auto* op = find_operation(name);
        if (op == nullptr || op->service != &service) {
            if (service.wire == protocol::json) {
                throw api_error("UnknownOperationException", "", 400);
            }
            throw api_error("InvalidAction", "The action " + name + " is not valid for this web service.");
        }
        return *op;
    }

    const region_data& resolve_region(const service_info& service, const account& acct,
                                      const std::string& region) {
        if (&service == &ce_service) {
            if (region != ce_region) {
                throw auth_error(service.wire, auth_failure::bad_signature,
                                 "Credential should be scoped to a valid region. ");
            }
            const auto* r = acct.region(ce_region);
            return r != nullptr ? *r : empty_region;
        }
        if (const auto* r = acct.region(region)) {
            return *r;
        }
        // us-east-1 cannot be disabled: without data in the scenario it is simply empty.
        if (region == ce_region) {
            return empty_region;
        }
        throw auth_error(service.wire, auth_failure::region_disabled, "");
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

    void handle_aws(const httplib::Request& req, httplib::Response& res) {
        const auto now_s = now();
        const auto request_id = make_request_id();
        sigv4::http_request raw{req.method, req.target, {}, req.body};
        for (const auto& [name, value] : req.headers) {
            raw.headers.emplace_back(name, value);
        }
        param_map params;
        if (const auto q = req.target.find('?'); q != std::string::npos) {
            parse_form(std::string_view(req.target).substr(q + 1), params);
        }
        const auto* content_type = header(req, "Content-Type");
        if (content_type != nullptr && content_type->rfind("application/x-www-form-urlencoded", 0) == 0) {
            parse_form(req.body, params);
        }

        const auto* auth_header = header(req, "Authorization");
        const auto auth = auth_header != nullptr ? parse_authorization(*auth_header) : std::nullopt;
        const service_info* service = auth ? find_service(auth->scope.service) : nullptr;
        const service_info& dialect = service != nullptr ? *service : guess_service(req, params);

        request_record rec;
        rec.sequence = arrival();
        rec.service = std::string(dialect.signing_name);
        if (auth) {
            rec.region = auth->scope.region;
            rec.access_key = auth->access_key;
        }
        if (dialect.wire == protocol::json) {
            const auto body = json::parse(req.body, nullptr, false);
            if (!body.is_discarded()) {
                flatten(body, "", rec.parameters);
            }
        } else {
            rec.parameters.insert(params.begin(), params.end());
        }

        std::optional<fault> applied;
        std::optional<fault_effect> effect;
        reply r;
        try {
            if (auth_header == nullptr) {
                throw auth_error(dialect.wire, auth_failure::missing, "");
            }
            if (!auth) {
                throw auth_error(
                    dialect.wire, auth_failure::malformed,
                    "Authorization header requires 'Credential' parameter. Authorization header "
                    "requires 'Signature' parameter. Authorization header requires 'SignedHeaders' "
                    "parameter. Authorization=" +
                        auth_header->substr(0, auth_header->find(' ')));
            }
            if (service == nullptr) {
                throw auth_error(
                    dialect.wire, auth_failure::bad_signature,
                    "Credential should be scoped to correct service: '" + auth->scope.service + "'. ");
            }
            const auto verdict = verify(scen.model(), raw, *auth, now_s);
            if (verdict.failure != auth_failure::none) {
                throw auth_error(service->wire, verdict.failure, verdict.detail);
            }
            const auto& op = resolve_operation(*service, req, params, rec.operation);
            const auto& region = resolve_region(*service, *verdict.acct, auth->scope.region);

            applied = faults.match(op.name, auth->scope.region, auth->access_key);
            effect = applied ? std::optional(effect_of(applied->kind)) : std::nullopt;
            if (effect == fault_effect::error) {
                throw fault_error(*applied, *service, op.name, verdict.acct->id);
            }
            if (effect == fault_effect::delay) {
                pause(applied->delay);
            }
            if (effect == fault_effect::drop || effect == fault_effect::hold) {
                // Logged first: the client may count its requests as soon as it gives up.
                rec.fault = std::string(to_string(applied->kind));
                record(std::move(rec));
                const int fd = socket_of(req);
                if (effect == fault_effect::drop) {
                    close_connection(fd);
                } else {
                    hold_until_hangup(fd, [this] { return is_stopping(); });
                }
                res.status = 500;
                return;
            }
            std::optional<std::size_t> page_size;
            if (const auto it = scen.model().page_sizes.find(op.name); it != scen.model().page_sizes.end()) {
                page_size = it->second;
            }
            const call_context ctx{*verdict.acct, region, op, params, req.body, now_s, request_id, page_size};
            r = handler_for(op.name)(ctx);
            if (effect == fault_effect::reshape) {
                reshape_answer(applied->kind, *service, op.name, request_id, r);
            }
        } catch (const api_error& e) {
            r = error_reply(dialect, e, request_id);
            rec.error_code = e.code;
            if (dialect.wire == protocol::json) {
                res.set_header("x-amzn-ErrorType", e.code);
            }
            if (applied && applied->kind == fault_kind::http_status && !applied->with_body) {
                r.body.clear();
                res.headers.erase("x-amzn-ErrorType");
            }
        } catch (const std::exception& e) {
            r = error_reply(dialect, api_error("InternalFailure", e.what(), 500, false), request_id);
            rec.error_code = "InternalFailure";
        }
        if (applied) {
            rec.fault = std::string(to_string(applied->kind));
        }
        rec.status = r.status;
        record(std::move(rec));
        answer(req, res, std::move(r), request_id, now_s, effect);
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
