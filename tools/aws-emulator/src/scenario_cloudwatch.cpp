// The scenario's CloudWatch resources: metric and composite alarms and metrics with their datapoints,
// read or generated.
#include "scenario_readers.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace orvane::tessel::emulator::detail {
namespace {

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

}  // namespace

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

metric_alarm generated_metric_alarm(long long i, const std::string& region, const std::string& account_id) {
    metric_alarm a;
    a.name = "gen-alarm-" + std::to_string(i);
    a.arn = "arn:aws:cloudwatch:" + region + ":" + account_id + ":alarm:" + a.name;
    a.state = "OK";
    a.reason = default_reason(a.state);
    a.ns = "AWS/EC2";
    a.metric_name = "CPUUtilization";
    a.statistic = "Average";
    a.period = 300;
    a.comparison = "GreaterThanThreshold";
    a.treat_missing_data = "missing";
    a.threshold = 80;
    return a;
}

metric generated_metric(long long i) {
    return {"Emulator/Generated", "Generated", {{"Index", std::to_string(i)}}, "Count", {}};
}

}  // namespace orvane::tessel::emulator::detail
