// The scenario file: accounts, their regions and costs, paging sizes and faults. Each resource's
// reader lives in scenario_<service>.cpp.
#include "faults.hpp"
#include "model.hpp"
#include "operations.hpp"
#include "scenario_node.hpp"
#include "scenario_readers.hpp"

#include <nlohmann/json.hpp>

#include "libs/stringutils/json_error.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace orvane::tessel::emulator {
namespace {

using json = nlohmann::ordered_json;
using namespace detail;

// us-east-1, us-gov-west-1: two letters, one or two words, a number.
void check_region_name(const node& where, std::string_view name) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto dash = name.find('-', start);
        parts.push_back(
            name.substr(start, dash == std::string_view::npos ? std::string_view::npos : dash - start));
        if (dash == std::string_view::npos) {
            break;
        }
        start = dash + 1;
    }
    const bool ok = (parts.size() == 3 || parts.size() == 4) && parts.front().size() == 2 &&
                    all_of_class(parts.front(), is_lower) && all_of_class(parts.back(), is_digit) &&
                    std::all_of(parts.begin() + 1, parts.end() - 1,
                                [](std::string_view p) { return all_of_class(p, is_lower); });
    if (!ok) {
        where.fail("\"" + std::string(name) + "\" is not a region name such as us-east-1");
    }
}

template <typename T, typename Make>
void add_generated(const node& n, std::string_view key, std::vector<T>& out, Make make) {
    constexpr long long limit = 1000000;
    const auto count = n.integer(key, 0, 0, limit);
    for (long long i = 1; i <= count; ++i) {
        out.push_back(make(i));
    }
}

void generate(const node& n, region_data& r, const std::string& account_id) {
    n.expect_object({"instances", "volumes", "load_balancers", "db_instances", "metric_alarms", "metrics"});
    const auto& region = r.name;
    add_generated(n, "instances", r.instances, [&](long long i) { return generated_instance(i, region); });
    add_generated(n, "volumes", r.volumes, [&](long long i) { return generated_volume(i, region); });
    add_generated(n, "load_balancers", r.load_balancers,
                  [&](long long i) { return generated_load_balancer(i, region, account_id); });
    add_generated(n, "db_instances", r.db_instances,
                  [&](long long i) { return generated_db_instance(i, region, account_id); });
    add_generated(n, "metric_alarms", r.metric_alarms,
                  [&](long long i) { return generated_metric_alarm(i, region, account_id); });
    add_generated(n, "metrics", r.metrics, [](long long i) { return generated_metric(i); });
}

void read_resources(const node& n, region_data& r, const std::string& account_id) {
    const auto& name = r.name;
    for (const auto& e : n.elements("instances")) {
        r.instances.push_back(read_instance(e, name));
    }
    for (const auto& e : n.elements("volumes")) {
        r.volumes.push_back(read_volume(e, name));
    }
    for (const auto& e : n.elements("load_balancers")) {
        r.load_balancers.push_back(read_load_balancer(e, name, account_id));
    }
    for (const auto& e : n.elements("db_instances")) {
        r.db_instances.push_back(read_db_instance(e, name, account_id));
    }
    for (const auto& e : n.elements("metric_alarms")) {
        r.metric_alarms.push_back(read_metric_alarm(e, name, account_id));
    }
    for (const auto& e : n.elements("composite_alarms")) {
        r.composite_alarms.push_back(read_composite_alarm(e, name, account_id));
    }
    for (const auto& e : n.elements("metrics")) {
        r.metrics.push_back(read_metric(e));
    }
    if (n.has("generate")) {
        generate(n.at("generate"), r, account_id);
    }
}

void link_replicas(const node& n, region_data& r) {
    for (auto& db : r.db_instances) {
        if (db.replica_source.empty()) {
            continue;
        }
        auto source = std::find_if(r.db_instances.begin(), r.db_instances.end(),
                                   [&](const db_instance& d) { return d.identifier == db.replica_source; });
        if (source == r.db_instances.end()) {
            n.fail("DB instance \"" + db.identifier + "\" is a replica of \"" + db.replica_source +
                   "\", which the region does not hold");
        }
        source->read_replicas.push_back(db.identifier);
    }
}

void check_alarm_rules(const node& n, const region_data& r) {
    for (const auto& c : r.composite_alarms) {
        for (const auto& child : c.children) {
            const bool metric_child = std::any_of(r.metric_alarms.begin(), r.metric_alarms.end(),
                                                  [&](const metric_alarm& a) { return a.name == child; });
            const bool composite_child =
                std::any_of(r.composite_alarms.begin(), r.composite_alarms.end(),
                            [&](const composite_alarm& a) { return a.name == child; });
            if (!metric_child && !composite_child) {
                n.fail("composite alarm \"" + c.name + "\" names alarm \"" + child +
                       "\" in its rule, which the region does not hold");
            }
        }
    }
}

void check_unique_ids(const node& n, const region_data& r) {
    const auto check_unique = [&](auto& list, auto key, std::string_view what) {
        std::set<std::string> seen;
        for (const auto& item : list) {
            if (!seen.insert(key(item)).second) {
                n.fail("duplicate " + std::string(what) + " \"" + key(item) + "\"");
            }
        }
    };
    check_unique(
        r.instances, [](const instance& x) { return x.id; }, "instance id");
    check_unique(
        r.volumes, [](const volume& x) { return x.id; }, "volume id");
    check_unique(
        r.load_balancers, [](const load_balancer& x) { return x.arn; }, "load balancer ARN");
    check_unique(
        r.db_instances, [](const db_instance& x) { return x.identifier; }, "DB instance identifier");
}

region_data read_region(const node& n, const std::string& name, const std::string& account_id) {
    n.expect_object({"instances", "volumes", "load_balancers", "db_instances", "metric_alarms",
                     "composite_alarms", "metrics", "generate"});
    region_data r;
    r.name = name;
    read_resources(n, r, account_id);
    // Cross-references inside the region.
    link_replicas(n, r);
    check_alarm_rules(n, r);
    check_unique_ids(n, r);
    return r;
}

account read_account(const node& n) {
    n.expect_object({"id", "name", "credentials", "regions", "disabled_regions", "costs"});
    account a;
    a.id = n.text("id", "123456789012");
    if (a.id.size() != 12 || a.id.find_first_not_of("0123456789") != std::string::npos) {
        n.at("id").fail("an account id has 12 digits");
    }
    a.name = n.text("name");
    for (const auto& c : n.elements("credentials")) {
        c.expect_object({"access_key", "secret_key", "session_token"});
        a.credentials.push_back(
            {c.required_text("access_key"), c.required_text("secret_key"), c.text("session_token")});
    }
    if (a.credentials.empty()) {
        n.fail("an account needs at least one entry in \"credentials\"");
    }
    if (n.has("regions")) {
        const auto regions = n.at("regions");
        if (!regions.raw().is_object()) {
            regions.fail("expected an object keyed by region name");
        }
        for (const auto& [name, _] : regions.raw().items()) {
            check_region_name(regions, name);
            a.regions.push_back(read_region(regions.at(name), name, a.id));
        }
    }
    a.disabled_regions = n.strings("disabled_regions");
    for (const auto& r : a.disabled_regions) {
        check_region_name(n.at("disabled_regions"), r);
        if (a.region(r) != nullptr) {
            n.at("disabled_regions").fail("\"" + r + "\" is also an enabled region");
        }
    }
    if (n.has("costs")) {
        a.cost = read_costs(n.at("costs"));
    }
    return a;
}

fault read_fault(const node& n) {
    n.expect_object({"operation", "region", "access_key", "kind", "status", "body", "code", "message",
                     "delay_ms", "skip_first", "times"});
    fault f;
    f.operation = n.text("operation", "*");
    if (f.operation != "*" && !f.operation.empty() && find_operation(f.operation) == nullptr) {
        n.at("operation").fail("unknown operation \"" + f.operation + "\"");
    }
    f.region = n.text("region", "*");
    f.access_key = n.text("access_key", "*");
    if (!n.has("kind")) {
        n.fail("missing member \"kind\"");
    }
    const auto kind = n.text("kind");
    const auto named = fault_kind_named(kind);
    if (!named) {
        n.at("kind").fail("unknown fault kind \"" + kind + "\" (expected one of: " + fault_kind_names() +
                          ")");
    }
    f.kind = *named;
    f.status = static_cast<int>(n.integer("status", 0, 0, 599));
    if (f.status != 0 && f.status < 100) {
        n.at("status").fail("an HTTP status lies between 100 and 599");
    }
    f.with_body = n.boolean("body", true);
    f.code = n.text("code");
    f.message = n.text("message");
    f.delay = std::chrono::milliseconds(n.integer("delay_ms", 0, 0, 3600000));
    f.skip_first = static_cast<std::size_t>(n.integer("skip_first", 0));
    f.times = static_cast<std::size_t>(n.integer("times", 0));
    if (f.kind == fault_kind::http_status && f.status == 0) {
        n.fail("kind \"http_status\" needs \"status\"");
    }
    if (f.kind == fault_kind::error && (f.code.empty() || f.status == 0)) {
        n.fail("kind \"error\" needs \"code\" and \"status\"");
    }
    if (f.kind == fault_kind::delay && f.delay.count() == 0) {
        n.fail("kind \"delay\" needs \"delay_ms\"");
    }
    return f;
}

json parse_text(std::string_view text, const std::string& origin) {
    try {
        return json::parse(text.begin(), text.end());
    } catch (const json::parse_error& e) {
        throw scenario_error(origin + ": not valid JSON at byte " + std::to_string(e.byte) + ": " +
                             std::string(libstringutils::json_error_reason(e.what())));
    }
}

std::shared_ptr<const scenario_model> read_scenario(const json& root) {
    const node n{root, "scenario"};
    n.expect_object({"accounts", "page_sizes", "faults", "description"});
    auto model = std::make_shared<scenario_model>();
    for (const auto& a : n.elements("accounts")) {
        model->accounts.push_back(read_account(a));
    }
    if (model->accounts.empty()) {
        n.fail("a scenario needs at least one entry in \"accounts\"");
    }
    std::set<std::string> keys;
    for (const auto& a : model->accounts) {
        for (const auto& c : a.credentials) {
            if (!keys.insert(c.access_key).second) {
                n.fail("access key \"" + c.access_key + "\" belongs to more than one credential");
            }
        }
    }
    if (n.has("page_sizes")) {
        const auto sizes = n.at("page_sizes");
        if (!sizes.raw().is_object()) {
            sizes.fail("expected an object such as {\"DescribeInstances\": 2}");
        }
        for (const auto& [op, _] : sizes.raw().items()) {
            if (find_operation(op) == nullptr) {
                sizes.at(op).fail("unknown operation");
            }
            model->page_sizes[op] = static_cast<std::size_t>(sizes.integer(op, 0, 1, 1000000));
        }
    }
    for (const auto& f : n.elements("faults")) {
        model->faults.push_back(read_fault(f));
    }
    return model;
}

}  // namespace

fault parse_fault(std::string_view text) {
    const auto root = parse_text(text, "fault");
    return read_fault(node{root, "fault"});
}

scenario scenario::from_json(std::string_view text) {
    return scenario(read_scenario(parse_text(text, "scenario")));
}

scenario scenario::from_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw scenario_error(path.string() + ": cannot be opened");
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return scenario(read_scenario(parse_text(text.str(), path.string())));
    } catch (const scenario_error& e) {
        const std::string what = e.what();
        throw scenario_error(what.rfind(path.string(), 0) == 0 ? what : path.string() + ": " + what);
    }
}

std::vector<std::string> scenario::access_keys() const {
    std::vector<std::string> out;
    for (const auto& a : model_->accounts) {
        for (const auto& c : a.credentials) {
            out.push_back(c.access_key);
        }
    }
    return out;
}

}  // namespace orvane::tessel::emulator
