#include "faults.hpp"
#include "model.hpp"
#include "operations.hpp"

#include <nlohmann/json.hpp>

#include "libs/stringutils/json_error.h"
#include "libs/stringutils/safe_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <set>
#include <sstream>

namespace orvane::tessel::emulator {

scenario_error::scenario_error(std::string_view what)
    : std::runtime_error([&] {
          std::string line;
          libstringutils::append_log_text(line, what);
          return line;
      }()) {}

namespace {

using json = nlohmann::ordered_json;
using namespace detail;

constexpr seconds_t default_time = 1705305600;  // 2024-01-15T08:00:00Z

// A JSON value together with its path, so that every complaint names where it is.
class node {
public:
    node(const json& value, std::string path) : value_(value), path_(std::move(path)) {}

    [[noreturn]] void fail(const std::string& what) const { throw scenario_error(path_ + ": " + what); }

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] const json& raw() const { return value_; }

    void expect_object(std::initializer_list<std::string_view> allowed) const {
        if (!value_.is_object()) {
            fail("expected an object");
        }
        for (const auto& [key, _] : value_.items()) {
            if (std::find(allowed.begin(), allowed.end(), key) == allowed.end()) {
                fail("unknown member \"" + key + "\"");
            }
        }
    }

    [[nodiscard]] bool has(std::string_view key) const {
        return value_.is_object() && value_.contains(std::string(key));
    }
    [[nodiscard]] node at(std::string_view key) const {
        return {value_.at(std::string(key)), path_ + "." + std::string(key)};
    }

    [[nodiscard]] std::vector<node> elements(std::string_view key) const {
        std::vector<node> out;
        if (!has(key)) {
            return out;
        }
        const auto list = at(key);
        if (!list.value_.is_array()) {
            list.fail("expected an array");
        }
        for (std::size_t i = 0; i < list.value_.size(); ++i) {
            out.emplace_back(list.value_[i], list.path_ + "[" + std::to_string(i) + "]");
        }
        return out;
    }

    [[nodiscard]] std::string text(std::string_view key, std::string fallback = {}) const {
        if (!has(key)) {
            return fallback;
        }
        const auto v = at(key);
        if (!v.value_.is_string()) {
            v.fail("expected a string");
        }
        return v.value_.get<std::string>();
    }

    [[nodiscard]] std::string required_text(std::string_view key) const {
        if (!has(key)) {
            fail("missing member \"" + std::string(key) + "\"");
        }
        auto value = text(key);
        if (value.empty()) {
            at(key).fail("must not be empty");
        }
        return value;
    }

    [[nodiscard]] std::string choice(std::string_view key, std::initializer_list<std::string_view> allowed,
                                     std::string fallback) const {
        auto value = text(key, std::move(fallback));
        if (std::find(allowed.begin(), allowed.end(), value) == allowed.end()) {
            std::string list;
            for (auto a : allowed) {
                list += (list.empty() ? "" : ", ") + std::string(a);
            }
            at(key).fail("unknown value \"" + value + "\" (expected one of: " + list + ")");
        }
        return value;
    }

    [[nodiscard]] double number(std::string_view key, double fallback) const {
        if (!has(key)) {
            return fallback;
        }
        const auto v = at(key);
        if (v.value_.is_number()) {
            return v.value_.get<double>();
        }
        if (v.value_.is_string()) {
            const auto s = v.value_.get<std::string>();
            std::size_t used = 0;
            try {
                const double d = std::stod(s, &used);
                if (used == s.size()) {
                    return d;
                }
            } catch (const std::exception&) {
            }
        }
        v.fail("expected a number");
    }

    [[nodiscard]] long long integer(std::string_view key, long long fallback, long long min = 0,
                                    long long max = 1LL << 40) const {
        if (!has(key)) {
            return fallback;
        }
        const auto v = at(key);
        if (!v.value_.is_number_integer()) {
            v.fail("expected an integer");
        }
        const auto n = v.value_.get<long long>();
        if (n < min || n > max) {
            v.fail("must be between " + std::to_string(min) + " and " + std::to_string(max));
        }
        return n;
    }

    [[nodiscard]] bool boolean(std::string_view key, bool fallback) const {
        if (!has(key)) {
            return fallback;
        }
        const auto v = at(key);
        if (!v.value_.is_boolean()) {
            v.fail("expected true or false");
        }
        return v.value_.get<bool>();
    }

    [[nodiscard]] seconds_t time(std::string_view key, seconds_t fallback) const {
        if (!has(key)) {
            return fallback;
        }
        const auto parsed = parse_iso8601(text(key));
        if (!parsed) {
            at(key).fail("expected an ISO 8601 time such as 2024-01-15T08:00:00Z");
        }
        return *parsed;
    }

    [[nodiscard]] std::vector<std::string> strings(std::string_view key) const {
        std::vector<std::string> out;
        for (const auto& e : elements(key)) {
            if (!e.value_.is_string()) {
                e.fail("expected a string");
            }
            out.push_back(e.value_.get<std::string>());
        }
        return out;
    }

    // Object {"Key": "Value"} (file order kept) or array [{"key"/"Key": ..., "value"/"Value": ...}].
    template <typename Pair>
    [[nodiscard]] std::vector<Pair> pairs(std::string_view key) const {
        std::vector<Pair> out;
        if (!has(key)) {
            return out;
        }
        const auto v = at(key);
        if (v.value_.is_object()) {
            for (const auto& [k, val] : v.value_.items()) {
                if (!val.is_string()) {
                    v.at(k).fail("expected a string");
                }
                out.push_back(Pair{k, val.template get<std::string>()});
            }
            return out;
        }
        if (!v.value_.is_array()) {
            v.fail("expected an object or an array of {\"key\", \"value\"}");
        }
        for (std::size_t i = 0; i < v.value_.size(); ++i) {
            const node item{v.value_[i], v.path_ + "[" + std::to_string(i) + "]"};
            const bool upper = item.has("Key") || item.has("Name");
            const auto key_name =
                item.has("name") || item.has("Name") ? (upper ? "Name" : "name") : (upper ? "Key" : "key");
            const auto value_name = upper ? "Value" : "value";
            item.expect_object({key_name, value_name});
            out.push_back(Pair{item.required_text(key_name), item.text(value_name)});
        }
        return out;
    }

private:
    const json& value_;
    std::string path_;
};

std::string hex_id(std::string_view prefix, std::uint64_t n, int width) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%0*llx", width, static_cast<unsigned long long>(n));
    return std::string(prefix) + buffer.data();
}

// A stable pseudo-random number for ids and generated values.
std::uint64_t mix(std::string_view text) {
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : text) {
        h = (h ^ c) * 1099511628211ULL;
    }
    return h;
}

bool all_of_class(std::string_view text, int (*test)(int)) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

int is_lower(int c) {
    return c >= 'a' && c <= 'z' ? 1 : 0;
}
int is_digit(int c) {
    return c >= '0' && c <= '9' ? 1 : 0;
}

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

std::vector<tag> read_tags(const node& n, bool name_tag_first) {
    std::vector<tag> tags;
    if (name_tag_first && n.has("name")) {
        tags.push_back({"Name", n.text("name")});
    }
    auto more = n.pairs<tag>("tags");
    tags.insert(tags.end(), more.begin(), more.end());
    return tags;
}

instance read_instance(const node& n, const std::string& region) {
    n.expect_object({"id", "type", "state", "name", "tags", "auto_scaling_group", "reservation",
                     "availability_zone", "image_id", "private_ip", "public_ip", "vpc_id", "subnet_id",
                     "platform", "launch_time"});
    instance i;
    i.id = n.required_text("id");
    i.type = n.text("type", "t3.micro");
    i.state = n.choice("state", {"pending", "running", "shutting-down", "terminated", "stopping", "stopped"},
                       "running");
    i.tags = read_tags(n, true);
    if (n.has("auto_scaling_group")) {
        i.tags.push_back({"aws:autoscaling:groupName", n.required_text("auto_scaling_group")});
    }
    const auto h = mix(i.id);
    i.reservation_id = n.text("reservation", hex_id("r-", h & 0xFFFFFFFFFFFFFULL, 17));
    i.availability_zone = n.text("availability_zone", region + "a");
    i.image_id = n.text("image_id", "ami-0abcdef1234567890");
    i.private_ip =
        n.text("private_ip", "10.0." + std::to_string((h >> 8U) % 250) + "." + std::to_string(h % 250 + 4));
    i.public_ip = n.text("public_ip");
    i.vpc_id = n.text("vpc_id", "vpc-0a1b2c3d4e5f60718");
    i.subnet_id = n.text("subnet_id", "subnet-0123456789abcdef0");
    i.platform = n.text("platform");
    i.launch_time = n.time("launch_time", default_time);
    return i;
}

volume read_volume(const node& n, const std::string& region) {
    n.expect_object({"id", "size", "type", "state", "name", "tags", "attachments", "availability_zone",
                     "snapshot_id", "iops", "throughput", "encrypted", "create_time"});
    volume v;
    v.id = n.required_text("id");
    v.size = static_cast<int>(n.integer("size", 8, 1, 65536));
    v.type = n.choice("type", {"standard", "io1", "io2", "gp2", "sc1", "st1", "gp3"}, "gp3");
    v.tags = read_tags(n, true);
    v.availability_zone = n.text("availability_zone", region + "a");
    v.snapshot_id = n.text("snapshot_id");
    if (n.has("iops")) {
        v.iops = static_cast<int>(n.integer("iops", 0, 0, 1000000));
    } else if (v.type == "gp3" || v.type == "io1" || v.type == "io2") {
        v.iops = 3000;
    }
    if (n.has("throughput")) {
        v.throughput = static_cast<int>(n.integer("throughput", 0, 0, 100000));
    } else if (v.type == "gp3") {
        v.throughput = 125;
    }
    v.encrypted = n.boolean("encrypted", false);
    v.create_time = n.time("create_time", default_time);
    for (const auto& a : n.elements("attachments")) {
        a.expect_object({"instance", "device", "state", "delete_on_termination", "attach_time"});
        v.attachments.push_back(
            {a.required_text("instance"), a.text("device", "/dev/xvdf"),
             a.choice("state", {"attaching", "attached", "detaching", "detached", "busy"}, "attached"),
             a.boolean("delete_on_termination", false), a.time("attach_time", v.create_time)});
    }
    v.state = n.choice("state", {"creating", "available", "in-use", "deleting", "deleted", "error"},
                       v.attachments.empty() ? "available" : "in-use");
    return v;
}

load_balancer read_load_balancer(const node& n, const std::string& region, const std::string& account_id) {
    n.expect_object({"arn", "name", "type", "scheme", "state", "state_reason", "dns_name", "vpc_id",
                     "ip_address_type", "availability_zones", "created_time", "target_groups"});
    load_balancer lb;
    lb.type = n.choice("type", {"application", "network", "gateway"}, "application");
    lb.arn = n.text("arn");
    lb.name = n.text("name");
    static constexpr std::string_view marker = ":loadbalancer/";
    if (lb.arn.empty() && lb.name.empty()) {
        n.fail("a load balancer needs \"arn\" or \"name\"");
    }
    if (lb.arn.empty()) {
        const std::string kind = lb.type == "application" ? "app" : lb.type == "network" ? "net" : "gwy";
        lb.arn = "arn:aws:elasticloadbalancing:" + region + ":" + account_id + ":loadbalancer/" + kind + "/" +
                 lb.name + "/" + hex_id("", mix(lb.name) & 0xFFFFFFFFFFFFFFFFULL, 16);
    } else if (lb.name.empty()) {
        const auto pos = lb.arn.find(marker);
        if (pos == std::string::npos) {
            n.at("arn").fail("cannot take the name from an ARN without \":loadbalancer/\"; give \"name\"");
        }
        const auto id = lb.arn.substr(pos + marker.size());  // app/<name>/<hash>
        const auto first = id.find('/');
        const auto second = id.find('/', first + 1);
        lb.name = id.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    }
    lb.scheme = n.choice("scheme", {"internet-facing", "internal"}, "internet-facing");
    lb.state = n.choice("state", {"active", "provisioning", "active_impaired", "failed"}, "active");
    lb.state_reason = n.text("state_reason");
    lb.dns_name = n.text("dns_name", lb.name + "-" + std::to_string(mix(lb.arn) % 1000000000ULL) + "." +
                                         region + ".elb.amazonaws.com");
    lb.vpc_id = n.text("vpc_id", "vpc-0a1b2c3d4e5f60718");
    lb.ip_address_type = n.choice("ip_address_type", {"ipv4", "dualstack"}, "ipv4");
    lb.availability_zones = n.strings("availability_zones");
    if (lb.availability_zones.empty()) {
        lb.availability_zones = {region + "a", region + "b"};
    }
    lb.created_time = n.time("created_time", default_time);
    (void)n.strings("target_groups");  // informational: their metrics are listed under "metrics"
    return lb;
}

db_instance read_db_instance(const node& n, const std::string& region, const std::string& account_id) {
    n.expect_object({"identifier", "arn", "engine", "engine_version", "status", "class", "availability_zone",
                     "storage_type", "endpoint", "port", "allocated_storage", "multi_az", "create_time",
                     "replica_of", "tags"});
    db_instance d;
    d.identifier = n.required_text("identifier");
    d.arn = n.text("arn", "arn:aws:rds:" + region + ":" + account_id + ":db:" + d.identifier);
    d.engine = n.text("engine", "mysql");
    d.engine_version = n.text("engine_version", d.engine == "postgres" ? "15.4" : "8.0.35");
    d.status = n.text("status", "available");
    d.instance_class = n.text("class", "db.t3.micro");
    d.availability_zone = n.text("availability_zone", region + "a");
    d.storage_type = n.text("storage_type", "gp2");
    d.endpoint =
        n.text("endpoint", d.identifier + ".c" + hex_id("", mix(account_id + region) % 0xFFFFFFFFFFULL, 10) +
                               "." + region + ".rds.amazonaws.com");
    d.port = static_cast<int>(n.integer("port", d.engine == "postgres" ? 5432 : 3306, 1, 65535));
    d.allocated_storage = static_cast<int>(n.integer("allocated_storage", 20, 1, 65536));
    d.multi_az = n.boolean("multi_az", false);
    d.create_time = n.time("create_time", default_time);
    d.replica_source = n.text("replica_of");
    d.tags = n.pairs<tag>("tags");
    return d;
}

std::vector<dimension> read_dimensions(const node& n) {
    return n.pairs<dimension>("dimensions");
}

metric_query read_query(const node& n) {
    n.expect_object({"id", "expression", "label", "namespace", "metric", "dimensions", "stat", "unit",
                     "period", "return_data"});
    metric_query q;
    q.id = n.required_text("id");
    q.expression = n.text("expression");
    q.label = n.text("label");
    q.return_data = n.boolean("return_data", !q.expression.empty());
    q.period = static_cast<int>(n.integer("period", q.expression.empty() ? 300 : 0, 0, 86400LL * 7));
    if (q.expression.empty()) {
        q.ns = n.required_text("namespace");
        q.metric_name = n.required_text("metric");
        q.dimensions = read_dimensions(n);
        q.stat = n.text("stat", "Average");
        q.unit = n.text("unit");
    } else if (n.has("metric") || n.has("namespace")) {
        n.fail("a query has either \"expression\" or \"namespace\"/\"metric\", not both");
    }
    return q;
}

std::string default_reason(const std::string& state) {
    if (state == "ALARM") {
        return "Threshold Crossed: 1 datapoint was greater than the threshold.";
    }
    if (state == "INSUFFICIENT_DATA") {
        return "Insufficient Data: 1 datapoint was unknown.";
    }
    return "Threshold Crossed: 1 datapoint was not greater than the threshold.";
}

metric_alarm read_metric_alarm(const node& n, const std::string& region, const std::string& account_id) {
    n.expect_object({"name",
                     "arn",
                     "description",
                     "state",
                     "reason",
                     "updated_ago",
                     "namespace",
                     "metric",
                     "dimensions",
                     "statistic",
                     "extended_statistic",
                     "unit",
                     "comparison",
                     "treat_missing_data",
                     "queries",
                     "period",
                     "evaluation_periods",
                     "datapoints_to_alarm",
                     "threshold",
                     "actions_enabled"});
    metric_alarm a;
    a.name = n.required_text("name");
    a.arn = n.text("arn", "arn:aws:cloudwatch:" + region + ":" + account_id + ":alarm:" + a.name);
    a.description = n.text("description");
    a.state = n.choice("state", {"OK", "ALARM", "INSUFFICIENT_DATA"}, "OK");
    a.reason = n.text("reason", default_reason(a.state));
    a.updated_ago = n.integer("updated_ago", 3600);
    for (const auto& q : n.elements("queries")) {
        a.queries.push_back(read_query(q));
    }
    if (a.queries.empty()) {
        a.ns = n.required_text("namespace");
        a.metric_name = n.required_text("metric");
        a.dimensions = read_dimensions(n);
        a.extended_statistic = n.text("extended_statistic");
        a.statistic =
            a.extended_statistic.empty()
                ? n.choice("statistic", {"SampleCount", "Average", "Sum", "Minimum", "Maximum"}, "Average")
                : "";
        a.period = static_cast<int>(n.integer("period", 300, 1, 86400LL * 7));
        a.unit = n.text("unit");
    } else if (n.has("metric") || n.has("namespace") || n.has("statistic")) {
        n.fail("an alarm has either \"queries\" or \"namespace\"/\"metric\"/\"statistic\", not both");
    }
    a.comparison = n.choice("comparison",
                            {"GreaterThanOrEqualToThreshold", "GreaterThanThreshold", "LessThanThreshold",
                             "LessThanOrEqualToThreshold", "LessThanLowerOrGreaterThanUpperThreshold",
                             "LessThanLowerThreshold", "GreaterThanUpperThreshold"},
                            "GreaterThanThreshold");
    a.treat_missing_data = n.text("treat_missing_data", "missing");
    a.evaluation_periods = static_cast<int>(n.integer("evaluation_periods", 1, 1, 100000));
    a.datapoints_to_alarm = static_cast<int>(n.integer("datapoints_to_alarm", 0, 0, 100000));
    a.threshold = n.number("threshold", 0);
    a.actions_enabled = n.boolean("actions_enabled", true);
    return a;
}

// Alarm names in ALARM(name), OK("name") or INSUFFICIENT_DATA('name'), ARNs reduced to the name.
std::vector<std::string> rule_children(std::string_view rule) {
    std::vector<std::string> out;
    for (std::size_t pos = 0; pos < rule.size(); ++pos) {
        std::size_t length = 0;
        for (std::string_view fn : {"ALARM", "OK", "INSUFFICIENT_DATA"}) {
            if (rule.substr(pos, fn.size()) == fn) {
                length = fn.size();
            }
        }
        const bool boundary = pos == 0 || (std::isalnum(static_cast<unsigned char>(rule[pos - 1])) == 0 &&
                                           rule[pos - 1] != '_');
        if (length == 0 || !boundary) {
            continue;
        }
        auto i = rule.find_first_not_of(" \t", pos + length);
        if (i == std::string_view::npos || rule[i] != '(') {
            continue;
        }
        i = rule.find_first_not_of(" \t", i + 1);
        if (i == std::string_view::npos) {
            break;
        }
        std::string name;
        if (rule[i] == '"' || rule[i] == '\'') {
            const auto close = rule.find(rule[i], i + 1);
            if (close == std::string_view::npos) {
                break;
            }
            name = rule.substr(i + 1, close - i - 1);
        } else {
            const auto end = rule.find_first_of(" \t)", i);
            name = rule.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
        }
        if (const auto at = name.find(":alarm:"); name.rfind("arn:", 0) == 0 && at != std::string::npos) {
            name = name.substr(at + 7);
        }
        if (!name.empty() && std::find(out.begin(), out.end(), name) == out.end()) {
            out.push_back(std::move(name));
        }
        pos = i;
    }
    return out;
}

composite_alarm read_composite_alarm(const node& n, const std::string& region,
                                     const std::string& account_id) {
    n.expect_object({"name", "arn", "description", "rule", "state", "reason", "updated_ago"});
    composite_alarm a;
    a.name = n.required_text("name");
    a.arn = n.text("arn", "arn:aws:cloudwatch:" + region + ":" + account_id + ":alarm:" + a.name);
    a.description = n.text("description");
    a.rule = n.required_text("rule");
    a.state = n.choice("state", {"OK", "ALARM", "INSUFFICIENT_DATA"}, "OK");
    a.reason = n.text("reason", a.state == "ALARM" ? "arn:aws:cloudwatch:" + region + ":" + account_id +
                                                         ":alarm:" + a.name + " transitioned to ALARM"
                                                   : default_reason(a.state));
    a.updated_ago = n.integer("updated_ago", 3600);
    a.children = rule_children(a.rule);
    if (a.children.empty()) {
        n.at("rule").fail("names no alarm; write e.g. ALARM(\"cpu-high\") OR ALARM(\"disk-full\")");
    }
    return a;
}

void read_statistics(const node& n, datapoint& p) {
    bool any = false;
    for (std::size_t s = 0; s < statistic_count; ++s) {
        if (n.has(statistic_names.at(s))) {
            p.values.at(s) = n.number(statistic_names.at(s), 0);
            any = true;
        }
    }
    if (!any) {
        n.fail("a datapoint needs at least one of SampleCount, Average, Sum, Minimum, Maximum");
    }
}

// Evenly spaced datapoints whose values swing deterministically around a mean.
void read_series(const node& n, metric& m) {
    n.expect_object({"every", "count", "start_ago", "SampleCount", "Average", "Sum", "spread"});
    const auto every = n.integer("every", 60, 1, 86400);
    const auto count = n.integer("count", 60, 1, 100000);
    const auto start_ago = n.integer("start_ago", 0, 0, 1LL << 32);
    const double samples = n.number("SampleCount", 1);
    const double spread = n.number("spread", 0);
    if (n.has("Average") == n.has("Sum")) {
        n.fail("a series needs exactly one of \"Average\" and \"Sum\"");
    }
    const double mean = n.has("Average") ? n.number("Average", 0) : n.number("Sum", 0) / samples;
    for (long long i = 0; i < count; ++i) {
        const double swing = std::sin(static_cast<double>(i) * 1.7 + static_cast<double>(mix(m.name) % 7));
        const double avg = mean * (1 + spread * swing);
        datapoint p;
        p.ago = start_ago + i * every;
        p.values[sample_count] = samples;
        p.values[average] = avg;
        p.values[sum] = avg * samples;
        p.values[minimum] = avg * (1 - spread);
        p.values[maximum] = avg * (1 + spread);
        m.datapoints.push_back(p);
    }
}

metric read_metric(const node& n) {
    n.expect_object({"namespace", "name", "dimensions", "unit", "datapoints", "series"});
    metric m;
    m.ns = n.required_text("namespace");
    m.name = n.required_text("name");
    m.dimensions = read_dimensions(n);
    if (m.dimensions.size() > 30) {
        n.at("dimensions").fail("CloudWatch allows at most 30 dimensions");
    }
    m.unit = n.choice("unit",
                      {"Seconds",
                       "Microseconds",
                       "Milliseconds",
                       "Bytes",
                       "Kilobytes",
                       "Megabytes",
                       "Gigabytes",
                       "Terabytes",
                       "Bits",
                       "Kilobits",
                       "Megabits",
                       "Gigabits",
                       "Terabits",
                       "Percent",
                       "Count",
                       "Bytes/Second",
                       "Kilobytes/Second",
                       "Megabytes/Second",
                       "Gigabytes/Second",
                       "Terabytes/Second",
                       "Bits/Second",
                       "Kilobits/Second",
                       "Megabits/Second",
                       "Gigabits/Second",
                       "Terabits/Second",
                       "Count/Second",
                       "None"},
                      "None");
    for (const auto& p : n.elements("datapoints")) {
        p.expect_object({"ago", "at", "SampleCount", "Average", "Sum", "Minimum", "Maximum"});
        datapoint d;
        if (p.has("at") == p.has("ago")) {
            p.fail("a datapoint needs exactly one of \"ago\" (seconds before now) and \"at\" (a time)");
        }
        if (p.has("at")) {
            d.at = p.time("at", 0);
        } else {
            d.ago = p.integer("ago", 0, 0, 1LL << 32);
        }
        read_statistics(p, d);
        m.datapoints.push_back(d);
    }
    if (n.has("series")) {
        read_series(n.at("series"), m);
    }
    return m;
}

void generate(const node& n, region_data& r, const std::string& account_id) {
    n.expect_object({"instances", "volumes", "load_balancers", "db_instances", "metric_alarms", "metrics"});
    constexpr long long limit = 1000000;
    const auto instances = n.integer("instances", 0, 0, limit);
    for (long long i = 1; i <= instances; ++i) {
        instance x;
        x.id = hex_id("i-0", 0xE000000000000ULL + static_cast<std::uint64_t>(i), 16);
        x.type = i % 3 == 0 ? "m5.large" : "t3.micro";
        x.state = "running";
        x.tags = {{"Name", "gen-instance-" + std::to_string(i)}};
        x.reservation_id = hex_id("r-0", 0xE000000000000ULL + static_cast<std::uint64_t>(i), 16);
        x.availability_zone = r.name + "a";
        x.image_id = "ami-0abcdef1234567890";
        x.private_ip = "10.1." + std::to_string(i / 250 % 250) + "." + std::to_string(i % 250 + 4);
        x.vpc_id = "vpc-0a1b2c3d4e5f60718";
        x.subnet_id = "subnet-0123456789abcdef0";
        x.launch_time = default_time;
        r.instances.push_back(std::move(x));
    }
    const auto volumes = n.integer("volumes", 0, 0, limit);
    for (long long i = 1; i <= volumes; ++i) {
        volume v;
        v.id = hex_id("vol-0", 0xE000000000000ULL + static_cast<std::uint64_t>(i), 16);
        v.size = static_cast<int>(8 + i % 100);
        v.type = "gp3";
        v.state = "available";
        v.tags = {{"Name", "gen-volume-" + std::to_string(i)}};
        v.availability_zone = r.name + "a";
        v.iops = 3000;
        v.throughput = 125;
        v.create_time = default_time;
        r.volumes.push_back(std::move(v));
    }
    const auto lbs = n.integer("load_balancers", 0, 0, limit);
    for (long long i = 1; i <= lbs; ++i) {
        load_balancer lb;
        lb.type = i % 2 == 1 ? "application" : "network";
        lb.name = "gen-lb-" + std::to_string(i);
        lb.arn = "arn:aws:elasticloadbalancing:" + r.name + ":" + account_id + ":loadbalancer/" +
                 (lb.type == "application" ? "app/" : "net/") + lb.name + "/" +
                 hex_id("", static_cast<std::uint64_t>(i), 16);
        lb.scheme = "internet-facing";
        lb.state = "active";
        lb.dns_name = lb.name + "." + r.name + ".elb.amazonaws.com";
        lb.vpc_id = "vpc-0a1b2c3d4e5f60718";
        lb.ip_address_type = "ipv4";
        lb.availability_zones = {r.name + "a"};
        lb.created_time = default_time;
        r.load_balancers.push_back(std::move(lb));
    }
    const auto dbs = n.integer("db_instances", 0, 0, limit);
    for (long long i = 1; i <= dbs; ++i) {
        db_instance d;
        d.identifier = "gen-db-" + std::to_string(i);
        d.arn = "arn:aws:rds:" + r.name + ":" + account_id + ":db:" + d.identifier;
        d.engine = i % 2 == 1 ? "mysql" : "postgres";
        d.engine_version = i % 2 == 1 ? "8.0.35" : "15.4";
        d.status = "available";
        d.instance_class = "db.t3.micro";
        d.availability_zone = r.name + "a";
        d.storage_type = "gp2";
        d.endpoint = d.identifier + "." + r.name + ".rds.amazonaws.com";
        d.port = i % 2 == 1 ? 3306 : 5432;
        d.create_time = default_time;
        r.db_instances.push_back(std::move(d));
    }
    const auto alarms = n.integer("metric_alarms", 0, 0, limit);
    for (long long i = 1; i <= alarms; ++i) {
        metric_alarm a;
        a.name = "gen-alarm-" + std::to_string(i);
        a.arn = "arn:aws:cloudwatch:" + r.name + ":" + account_id + ":alarm:" + a.name;
        a.state = "OK";
        a.reason = default_reason(a.state);
        a.ns = "AWS/EC2";
        a.metric_name = "CPUUtilization";
        a.statistic = "Average";
        a.period = 300;
        a.comparison = "GreaterThanThreshold";
        a.treat_missing_data = "missing";
        a.threshold = 80;
        r.metric_alarms.push_back(std::move(a));
    }
    const auto metrics = n.integer("metrics", 0, 0, limit);
    for (long long i = 1; i <= metrics; ++i) {
        r.metrics.push_back({"Emulator/Generated", "Generated", {{"Index", std::to_string(i)}}, "Count", {}});
    }
}

region_data read_region(const node& n, const std::string& name, const std::string& account_id) {
    n.expect_object({"instances", "volumes", "load_balancers", "db_instances", "metric_alarms",
                     "composite_alarms", "metrics", "generate"});
    region_data r;
    r.name = name;
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

    // Cross-references inside the region.
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
    return r;
}

cost_amounts read_amounts(const node& n) {
    std::vector<std::string_view> names(cost_metric_names.begin(), cost_metric_names.end());
    if (!n.raw().is_object()) {
        n.fail("expected an object of amounts such as {\"UnblendedCost\": 12.5}");
    }
    cost_amounts out;
    for (const auto& [key, _] : n.raw().items()) {
        const auto it = std::find(names.begin(), names.end(), key);
        if (it == names.end()) {
            n.fail("unknown cost metric \"" + key + "\"");
        }
        out.at(static_cast<std::size_t>(it - names.begin())) = n.number(key, 0);
    }
    return out;
}

costs read_costs(const node& n) {
    n.expect_object({"currency", "months", "data_unavailable", "forecast"});
    costs c;
    c.currency = n.text("currency", "USD");
    c.data_unavailable = n.boolean("data_unavailable", false);
    if (n.has("months")) {
        const auto months = n.at("months");
        if (!months.raw().is_object()) {
            months.fail("expected an object keyed by \"YYYY-MM\" or a month offset such as \"0\" or \"-1\"");
        }
        for (const auto& [key, _] : months.raw().items()) {
            const auto amounts = read_amounts(months.at(key));
            const std::string_view k = key;
            const bool absolute = k.size() == 7 && k[4] == '-' && all_of_class(k.substr(0, 4), is_digit) &&
                                  all_of_class(k.substr(5), is_digit) && k.substr(5) >= "01" &&
                                  k.substr(5) <= "12";
            const bool relative = k == "0" || (k.size() >= 2 && k.size() <= 4 && k[0] == '-' && k[1] != '0' &&
                                               all_of_class(k.substr(1), is_digit));
            if (absolute) {
                c.absolute_months[key] = amounts;
            } else if (relative) {
                c.relative_months[std::stoi(key)] = amounts;
            } else {
                months.at(key).fail(
                    "month keys are \"YYYY-MM\" or an offset from the current month (\"0\", \"-1\")");
            }
        }
    }
    if (n.has("forecast")) {
        const auto f = n.at("forecast");
        f.expect_object({"daily", "unavailable"});
        c.forecast_unavailable = f.boolean("unavailable", false);
        if (f.has("daily")) {
            c.daily_forecast = read_amounts(f.at("daily"));
        }
    }
    return c;
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
