// Sixteen host threads drive the exported functions at once against the AWS emulator: sensors created,
// scanned and destroyed on shared ids (one destroyed while its scan runs), checks and meta-scans with
// shared, second and wrong credentials and with broken buffers, in rounds between which the module is
// cleaned up and initialised again. Every call must return a code it may return, and get exactly the
// messages it is owed. The module has no thread of its own, so every message belongs to the call
// running on the thread that receives it.
//
// VEXA_STRESS_SECONDS (default 2) sets how long the host threads call, over all rounds together.
#include <aws/core/client/DefaultRetryStrategy.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "aws/clients/client_configuration.h"
#include "aws_emulator/emulator.hpp"
#include "tests/aws/sensors/sensor_settings.h"
#include "vexa_module.h"

namespace {

using namespace orvane::tessel;
namespace emu = orvane::tessel::emulator;
namespace fs = std::filesystem;
using nlohmann::json;
using clock_type = std::chrono::steady_clock;

constexpr int workers = 15;  // and one thread that destroys sensors while they are being scanned
constexpr int rounds = 3;

enum class operation { create, scan, destroy, check, meta_scan };
constexpr std::size_t operation_count = 5;

// What each entry point owes its caller: the one result (for the codes after which it is sent) and
// the other messages it may send, only when it returns 0. `adapter` names it in the log's banners.
struct protocol {
    std::string_view name;
    std::string_view adapter;
    std::string_view result;
    std::set<std::int32_t> answered;
    std::set<std::string_view> side;
};

const protocol& protocol_of(operation op) {
    // clang-format off
    static const std::array<protocol, operation_count> protocols{{
        {"CreateSensorInstance",  "create_sensor_instance",  "",                   {},              {"dynamic_channel"}},
        {"ExecuteSensorScan",     "execute_sensor_scan",     "sensor_scan_result", {0, 14},
         {"dynamic_channel", "persistent_data"}},
        {"DestroySensorInstance", "destroy_sensor_instance", "",                   {},              {}},
        {"ExecuteCheck",          "execute_check",           "check_result",       {0, 10, 11, 12}, {}},
        {"ExecuteMetaScan",       "execute_meta_scan",       "meta_scan_result",   {0, 10, 11, 12}, {"metascan_progress"}},
    }};
    // clang-format on
    return protocols.at(static_cast<std::size_t>(op));
}

// Whether a result reports success, by message type.
bool succeeded(const json& result) {
    const auto& type = result.at("type");
    if (type == "sensor_scan_result") {
        return result.at("response_code") == 0;
    }
    if (type == "check_result") {
        return result.at("success").get<bool>();
    }
    return result.at("response") == 0;
}

struct credentials {
    const char* access_key;
    const char* secret_key;
    bool valid;
};

// The demo account's key, a second key of the same account (another client cache entry, the same
// answers) and a wrong secret (every AWS request refused).
constexpr std::array<credentials, 3> accounts{{
    {"AKIDEXAMPLE", "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY", true},
    {"AKIDSTRESSSECONDKEY", "stress/Second+Secret0123456789abcdefghijk", true},
    {"AKIDEXAMPLE", "not+the/secret0123456789abcdefghijklmnopq", false},
}};

struct sensor_kind {
    std::string kind;
    std::map<std::string, std::string> resource;
};

// One sensor per kind and variant of the demo account. A sensor id always has the same kind and
// credentials, whoever creates it, so that its scans' outcome is known.
const std::vector<sensor_kind>& sensor_kinds() {
    static const std::vector<sensor_kind> kinds{
        {"ec2_sensor", {{"id", "i-0a1b2c3d4e5f60001"}, {"name", "web-01"}}},
        {"ebs_sensor",
         {{"id", "vol-0a1b2c3d4e5f70002"},
          {"name", "web-01-data"},
          {"size", "100"},
          {"type", "gp2"},
          {"state", "in-use"},
          {"attachment_information", ""}}},
        {"rds_sensor", {{"identifier", "orders-db"}, {"engine", "mysql"}}},
        {"elb_sensor", {{"id", "net/tcp-nlb/a1b2c3d4e5f60718"}, {"name", "tcp-nlb"}, {"type", "network"}}},
        {"alarm_sensor", {{"name", "web-error-rate"}, {"type", "Metric"}, {"description", ""}}},
        {"alarm_sensor", {{"name", "web-service-degraded"}, {"type", "Composite"}, {"description", ""}}},
        {"awscost", {}},
    };
    return kinds;
}

const std::array<std::string_view, 6> check_kinds{"awscost_check", "ebs_check", "ec2_check",
                                                  "elb_check",     "rds_check", "alarm_check"};
const std::array<std::string_view, 5> metascan_kinds{"ebs_metascan", "ec2_metascan", "elb_metascan",
                                                     "rds_metascan", "alarm_metascan"};

// Ids 1 to 21 are shared by every worker; each worker also has a private id for the sensor it has
// destroyed during its scan.
constexpr std::int32_t shared_ids = 21;
std::int32_t private_id(int worker) {
    return 100 + worker;
}
std::size_t kind_of(std::int32_t id) {
    return static_cast<std::size_t>(id - 1) % sensor_kinds().size();
}
const credentials& credentials_of(std::int32_t id) {
    return accounts.at(static_cast<std::size_t>(id - 1) / sensor_kinds().size() % accounts.size());
}

std::string with_credentials(test_support::settings_buffer buffer, const credentials& account) {
    return buffer.set("awscredentials.credentials_group.access_key", account.access_key)
        .secure("awscredentials.credentials_group.secret_key", account.secret_key)
        .json();
}

// Every settings buffer the host threads send, made once.
struct buffers {
    buffers() {
        for (const auto& account : accounts) {
            for (const auto& kind : sensor_kinds()) {
                sensors.push_back(
                    with_credentials(test_support::sensor_settings(kind.kind, kind.resource), account));
            }
            for (const auto kind : check_kinds) {
                checks.push_back(with_credentials(test_support::settings_buffer(std::string(kind)), account));
            }
            for (const auto kind : metascan_kinds) {
                metascans.push_back(
                    with_credentials(test_support::settings_buffer(std::string(kind)), account));
            }
        }
        unknown_kind = test_support::settings_buffer("no_such_kind").json();
        cut = checks.front().substr(0, checks.front().size() / 2);
    }

    const std::string& sensor(std::int32_t id) const {
        const auto account = static_cast<std::size_t>(&credentials_of(id) - accounts.data());
        return sensors.at(account * sensor_kinds().size() + kind_of(id));
    }

    std::vector<std::string> sensors;    // by credentials, then kind
    std::vector<std::string> checks;     // by credentials, then kind
    std::vector<std::string> metascans;  // by credentials, then kind
    std::string unknown_kind;
    std::string cut;  // a buffer that ends inside its JSON
};

// One call of an entry point, the messages it received and what it may return.
struct call {
    operation op;
    std::int32_t id = 0;
    std::uint32_t request = 0;
    std::set<std::int32_t> expected{};
    bool succeeds = false;           // whether its result reports success when the code is 0
    bool destroy_meanwhile = false;  // a scan whose sensor is destroyed while the scan sends its result
    std::int32_t code = -1;
    std::vector<json> messages{};
    std::vector<std::string> undecodable{};
};

// Per thread and round: calls and codes per operation, and the first problems found.
struct tally {
    std::array<std::map<std::int32_t, std::size_t>, operation_count> codes;
    std::vector<std::string> problems;
    std::size_t destroyed_during_scan = 0;

    std::size_t calls(operation op) const {
        std::size_t total = 0;
        for (const auto& [code, count] : codes.at(static_cast<std::size_t>(op))) {
            total += count;
        }
        return total;
    }
    std::size_t count(operation op, std::int32_t code) const {
        const auto& codes_of = codes.at(static_cast<std::size_t>(op));
        const auto it = codes_of.find(code);
        return it == codes_of.end() ? 0 : it->second;
    }
    void add(const tally& other) {
        for (std::size_t op = 0; op < operation_count; ++op) {
            for (const auto& [code, count] : other.codes.at(op)) {
                codes.at(op)[code] += count;
            }
        }
        problems.insert(problems.end(), other.problems.begin(), other.problems.end());
        destroyed_during_scan += other.destroyed_during_scan;
    }
};

bool belongs_to(const json& message, const call& c) {
    if (message.contains("sensor_id")) {
        return message.at("sensor_id") == c.id;
    }
    return message.at("id") == c.id &&
           (!message.contains("request_number") || message.at("request_number") == c.request);
}

// What is wrong with a call: its code, a message it should not have received, a result missing or
// twice, a result for someone else, progress going backwards.
std::vector<std::string> verify(const call& c) {
    const auto& rules = protocol_of(c.op);
    std::vector<std::string> problems = c.undecodable;
    if (!c.expected.contains(c.code)) {
        problems.emplace_back("unexpected code");
    }
    std::size_t results = 0;
    std::int64_t progress = 0;
    for (const auto& message : c.messages) {
        const std::string type = message.at("type");
        if (!belongs_to(message, c)) {
            problems.push_back("received " + type + " of another call");
        } else if (type == rules.result && rules.answered.contains(c.code)) {
            ++results;
            if (succeeded(message) != (c.succeeds && c.code == 0)) {
                problems.push_back("result " + message.dump());
            }
        } else if (rules.side.contains(type) && c.code == 0 && results == 0) {
            if (type == "metascan_progress") {
                const auto value = message.at("progress").get<std::int64_t>();
                if (value < progress || value > 100) {
                    problems.push_back("progress " + std::to_string(value) + " after " +
                                       std::to_string(progress));
                }
                progress = value;
            }
        } else {
            problems.push_back("unexpected " + type);
        }
    }
    const std::size_t owed = !rules.result.empty() && rules.answered.contains(c.code) ? 1 : 0;
    if (results != owed) {
        problems.push_back(std::to_string(results) + " results instead of " + std::to_string(owed));
    }
    for (auto& problem : problems) {
        problem = std::string(rules.name)
                      .append("(" + std::to_string(c.id) + ", " + std::to_string(c.request) + ") returning ")
                      .append(std::to_string(c.code) + ": ")
                      .append(problem);
    }
    return problems;
}

thread_local call* current_call = nullptr;
std::atomic<std::uint64_t> module_handle{0};
std::atomic<std::size_t> stray_messages{0};  // outside any call, or with another module's handle

// Destroys sensors, on its own thread, while their scans wait in the message callback for it.
class destroyer {
public:
    // From the callback of a scan: returns once the sensor is out of the stock.
    void destroy_during_scan(std::int32_t id) {
        request pending{id};
        std::unique_lock lock(mutex_);
        requests_.push_back(&pending);
        changed_.notify_all();
        changed_.wait(lock, [&] { return pending.done; });
    }

    // The destroyer thread: serves requests until stop() and none is left.
    void serve(tally& counts);

    void stop() {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }

private:
    struct request {
        std::int32_t id;
        bool done = false;
    };

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<request*> requests_;
    bool stopping_ = false;
};

std::atomic<destroyer*> active_destroyer{nullptr};

void on_message(std::uint64_t handle, const std::uint8_t* buffer, std::uint32_t length) {
    call* const c = current_call;
    if (c == nullptr || handle != module_handle.load()) {
        ++stray_messages;
        return;
    }
    json message;
    try {
        // nlohmann's parser refuses bytes that are not UTF-8, trailing text and everything not JSON.
        message = json::parse(buffer, buffer + length);
        if (!message.is_object() || !message.contains("type")) {
            throw std::runtime_error("not a message object");
        }
    } catch (const std::exception& error) {
        c->undecodable.push_back(std::string("undecodable message: ") + error.what());
        return;
    }
    const bool scanned = c->destroy_meanwhile && message.at("type") == "sensor_scan_result";
    c->messages.push_back(std::move(message));
    if (scanned) {
        active_destroyer.load()->destroy_during_scan(c->id);
    }
}

// Runs one entry point call as `c` and books it.
template <class Entry>
void run(call& c, tally& counts, Entry&& entry) {
    current_call = &c;
    c.code = entry();
    current_call = nullptr;
    ++counts.codes.at(static_cast<std::size_t>(c.op))[c.code];
    std::vector<std::string> problems;
    try {
        problems = verify(c);
    } catch (const nlohmann::json::exception& error) {
        problems.push_back(std::string(protocol_of(c.op).name) +
                           ": a message lacks a member: " + error.what());
    }
    for (auto& problem : problems) {
        if (counts.problems.size() < 20) {
            counts.problems.push_back(std::move(problem));
        }
    }
}

const std::uint8_t* bytes(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}
std::uint32_t size(const std::string& text) {
    return static_cast<std::uint32_t>(text.size());
}

void destroyer::serve(tally& counts) {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return !requests_.empty() || stopping_; });
        if (requests_.empty()) {
            return;
        }
        request* const next = requests_.front();
        requests_.pop_front();
        lock.unlock();
        call c{.op = operation::destroy, .id = next->id, .expected = {0}};
        run(c, counts, [&] { return DestroySensorInstance(c.id); });
        ++counts.destroyed_during_scan;
        lock.lock();
        next->done = true;
        changed_.notify_all();
    }
}

std::atomic<std::uint32_t> next_request{0};

// One host thread: calls chosen at random, weighted as a host's calls are.
class host_thread {
public:
    host_thread(int worker, int round, const buffers& settings, tally& counts)
        : worker_(worker),
          settings_(settings),
          counts_(counts),
          random_(static_cast<std::uint32_t>(round * 100 + worker)) {}

    // The host's sensors first, shared out among the threads; then calls until the deadline.
    void run_until(clock_type::time_point deadline) {
        for (std::int32_t id = worker_ + 1; id <= shared_ids; id += workers) {
            create(id);
        }
        scan_while_destroyed();
        while (clock_type::now() < deadline) {
            const auto id = static_cast<std::int32_t>(any_of(shared_ids)) + 1;
            switch (operations_(random_)) {
                case 0:
                    create(id);
                    break;
                case 1:
                    scan(id, {0, 14});
                    break;
                case 2:
                    destroy(id);
                    break;
                case 3:
                    scan_while_destroyed();
                    break;
                case 4:
                    check();
                    break;
                default:
                    meta_scan();
                    break;
            }
        }
    }

private:
    // The buffer given, or now and then one with an unknown kind or one that is not JSON; the call
    // then expects that buffer's code, and a result that reports failure.
    const std::string& pick(const std::string& buffer, call& c) {
        switch (std::uniform_int_distribution<int>(0, 9)(random_)) {
            case 0:
                c.expected = {10};
                c.succeeds = false;
                return settings_.unknown_kind;
            case 1:
                c.expected = {11};
                c.succeeds = false;
                return settings_.cut;
            default:
                return buffer;
        }
    }

    std::size_t any_of(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

    void create(std::int32_t id) {
        call c{.op = operation::create, .id = id, .expected = {0, 13}};
        const std::string& buffer = pick(settings_.sensor(id), c);
        run(c, counts_, [&] { return CreateSensorInstance(id, bytes(buffer), size(buffer)); });
    }

    void scan(std::int32_t id, std::set<std::int32_t> expected, bool destroy_meanwhile = false) {
        call c{.op = operation::scan,
               .id = id,
               .expected = std::move(expected),
               .succeeds = credentials_of(id).valid,
               .destroy_meanwhile = destroy_meanwhile};
        run(c, counts_, [&] { return ExecuteSensorScan(id); });
    }

    void destroy(std::int32_t id) {
        call c{.op = operation::destroy, .id = id, .expected = {0, 14}};
        run(c, counts_, [&] { return DestroySensorInstance(id); });
    }

    // The worker's own sensor, so that every step's code is known: created, destroyed by the
    // destroyer while its scan sends the result, gone for the next scan.
    void scan_while_destroyed() {
        const std::int32_t id = private_id(worker_);
        const std::string& buffer = settings_.sensor(id);
        call created{.op = operation::create, .id = id, .expected = {0}};
        run(created, counts_, [&] { return CreateSensorInstance(id, bytes(buffer), size(buffer)); });
        scan(id, {0}, true);
        scan(id, {14});
    }

    void check() {
        const auto index = any_of(settings_.checks.size());
        call c{.op = operation::check,
               .id = 1000 + worker_,
               .expected = {0},
               .succeeds = accounts.at(index / check_kinds.size()).valid};
        const std::string& buffer = pick(settings_.checks.at(index), c);
        run(c, counts_, [&] { return ExecuteCheck(c.id, bytes(buffer), size(buffer)); });
    }

    void meta_scan() {
        const auto index = any_of(settings_.metascans.size());
        call c{.op = operation::meta_scan,
               .id = 2000 + worker_,
               .request = ++next_request,
               .expected = {0},
               .succeeds = accounts.at(index / metascan_kinds.size()).valid};
        const std::string& buffer = pick(settings_.metascans.at(index), c);
        run(c, counts_, [&] { return ExecuteMetaScan(c.id, c.request, bytes(buffer), size(buffer)); });
    }

    int worker_;
    const buffers& settings_;
    tally& counts_;
    std::mt19937 random_;
    // Create, scan, destroy, scan while destroyed, check, meta-scan: most shared ids stay alive.
    std::discrete_distribution<int> operations_{4, 8, 1, 1, 3, 2};
};

// How often each banner appears in the module's log.
std::map<std::string, std::size_t> banner_counts(const fs::path& log) {
    std::map<std::string, std::size_t> counts;
    std::ifstream file(log);
    for (std::string line; std::getline(file, line);) {
        const auto text = line.find("] ### ");
        if (text != std::string::npos) {
            ++counts[line.substr(text + 2)];
        }
    }
    return counts;
}

std::string banner(std::string_view marker, operation op) {
    return std::string(marker) + "orvane::tessel::libvexahelper::module::module_instance_adapter::" +
           std::string(protocol_of(op).adapter) + " ###";
}

double stress_seconds() {
    const char* value = std::getenv("VEXA_STRESS_SECONDS");  // NOLINT(concurrency-mt-unsafe)
    const double seconds = value == nullptr ? 0.0 : std::strtod(value, nullptr);
    return seconds > 0.0 ? seconds : 2.0;
}

// The scenario's account with a second access key.
emu::scenario two_key_scenario() {
    std::ifstream file(fs::path(VEXA_SOURCE_DIR) / "tools/aws-emulator/scenarios/demo.json");
    auto document = json::parse(file);
    document["accounts"][0]["credentials"].push_back(
        {{"access_key", accounts[1].access_key}, {"secret_key", accounts[1].secret_key}});
    return emu::scenario::from_json(document.dump());
}

// Short SDK waits; the retry count stays the SDK's.
void short_waits(Aws::Client::ClientConfiguration& configuration) {
    configuration.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(10, 1);
}

class HostStress : public ::testing::Test {
protected:
    void SetUp() override {
        aws_.start();
        // Read when clients are made; no module call runs yet.
        // NOLINTBEGIN(concurrency-mt-unsafe)
        ::setenv("AWS_ENDPOINT_URL", aws_.base_url().c_str(), 1);
        ::setenv("AWS_EC2_METADATA_DISABLED", "true", 1);
        // NOLINTEND(concurrency-mt-unsafe)
        aws::set_configuration_adjuster(&short_waits);
    }

    void TearDown() override {
        aws::set_configuration_adjuster(nullptr);
        ::unsetenv("AWS_ENDPOINT_URL");  // NOLINT(concurrency-mt-unsafe)
        ::unsetenv("VEXA_LOG_DIR");      // NOLINT(concurrency-mt-unsafe)
        aws_.stop();
        fs::remove_all(logs_);
    }

    // One module lifetime with every host thread calling until the deadline; Initialize and Cleanup
    // overlap no other call, as the host promises.
    tally round(int number, clock_type::duration length) {
        const fs::path log_dir = logs_ / std::to_string(number);
        ::setenv("VEXA_LOG_DIR", log_dir.c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
        module_handle = static_cast<std::uint64_t>(number) + 1;
        EXPECT_EQ(InitializeModule(module_handle, &on_message), 0);
        destroyer destroying;
        active_destroyer = &destroying;
        std::vector<tally> counts(workers + 1);
        const auto start = clock_type::now();
        std::thread destroyer_thread([&] { destroying.serve(counts.back()); });
        std::vector<std::thread> threads;
        threads.reserve(workers);
        for (int worker = 0; worker < workers; ++worker) {
            threads.emplace_back([&, worker] {
                host_thread(worker, number, settings_, counts.at(static_cast<std::size_t>(worker)))
                    .run_until(start + length);
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
        destroying.stop();
        destroyer_thread.join();
        elapsed_ += clock_type::now() - start;
        active_destroyer = nullptr;
        EXPECT_EQ(CleanupModule(), 0);

        tally total;
        for (const auto& part : counts) {
            total.add(part);
        }
        // Every call wrote its begin banner, and its end banner unless an exception escaped.
        const auto banners = banner_counts(log_dir / "vexa_aws.log");
        for (std::size_t index = 0; index < operation_count; ++index) {
            const auto op = static_cast<operation>(index);
            const auto found = [&](const std::string& line) {
                const auto it = banners.find(line);
                return it == banners.end() ? std::size_t{0} : it->second;
            };
            EXPECT_EQ(found(banner("### Begin ", op)), total.calls(op)) << protocol_of(op).adapter;
            EXPECT_EQ(found(banner("### End   ", op)), total.calls(op) - total.count(op, 2))
                << protocol_of(op).adapter;
        }
        return total;
    }

    emu::server aws_{two_key_scenario()};
    buffers settings_;
    fs::path logs_ = fs::temp_directory_path() / ("vexa_host_stress_" + std::to_string(::getpid()));
    clock_type::duration elapsed_{};
};

TEST_F(HostStress, EveryCallGetsItsCodeAndExactlyItsMessagesAcrossModuleLifetimes) {
    const auto length = std::chrono::duration_cast<clock_type::duration>(
        std::chrono::duration<double>(stress_seconds() / rounds));
    tally total;
    for (int number = 0; number < rounds; ++number) {
        total.add(round(number, length));
    }

    for (const auto& problem : total.problems) {
        ADD_FAILURE() << problem;
    }
    EXPECT_EQ(stray_messages.load(), 0u);
    EXPECT_GE(total.destroyed_during_scan, static_cast<std::size_t>(workers * rounds));

    const double seconds = std::chrono::duration<double>(elapsed_).count();
    std::cout << workers + 1 << " host threads, " << rounds << " rounds, " << seconds << " s of calls\n";
    for (std::size_t index = 0; index < operation_count; ++index) {
        const auto calls = total.calls(static_cast<operation>(index));
        std::cout << "  " << protocol_of(static_cast<operation>(index)).name << ": " << calls << " calls, "
                  << static_cast<double>(calls) / seconds << " per second; codes";
        for (const auto& [code, count] : total.codes.at(index)) {
            std::cout << " " << code << ":" << count;
        }
        std::cout << "\n";
    }
}

}  // namespace
