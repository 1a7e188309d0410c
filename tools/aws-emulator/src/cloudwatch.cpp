// CloudWatch (awsQuery): GetMetricStatistics, ListMetrics, DescribeAlarms.
#include "common.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace orvane::tessel::emulator::detail {
namespace {

constexpr std::size_t max_datapoints = 1440;
constexpr std::size_t list_metrics_page = 500;

std::vector<dimension> read_dimensions(const call_context& ctx, bool value_required) {
    std::vector<dimension> out;
    for (const auto& item : struct_list(ctx.params, "Dimensions.member")) {
        const auto* name = find_param(item, "Name");
        const auto* value = find_param(item, "Value");
        if (name == nullptr || (value_required && value == nullptr)) {
            throw api_error("InvalidParameterValue",
                            "The parameter Dimensions.member." + std::to_string(out.size() + 1) + "." +
                                (name == nullptr ? "Name" : "Value") + " is required.");
        }
        out.push_back({*name, value == nullptr ? std::string{} : *value});
    }
    if (out.size() > 30) {
        throw api_error("InvalidParameterValue",
                        "The collection Dimensions must not have a size greater than 30.");
    }
    return out;
}

bool same_dimensions(const std::vector<dimension>& a, const std::vector<dimension>& b) {
    return a.size() == b.size() && std::all_of(a.begin(), a.end(), [&](const dimension& d) {
               return std::find(b.begin(), b.end(), d) != b.end();
           });
}

const std::string& required(const call_context& ctx, std::string_view key) {
    const auto* value = find_param(ctx.params, key);
    if (value == nullptr || value->empty()) {
        throw api_error("MissingParameter", "The parameter " + std::string(key) + " is required.");
    }
    return *value;
}

seconds_t read_time(const call_context& ctx, std::string_view key) {
    const auto parsed = parse_iso8601(required(ctx, key));
    if (!parsed) {
        throw api_error("InvalidParameterValue",
                        "The parameter " + std::string(key) + " must be a valid ISO 8601 time stamp.");
    }
    return *parsed;
}

struct bucket {
    seconds_t timestamp = 0;
    double count = 0;
    double total = 0;
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool has_count = false;
    bool has_sum = false;
    bool has_low = false;
    bool has_high = false;
};

void add(bucket& b, const datapoint& p) {
    const auto& v = p.values;
    const double samples = v[sample_count].value_or(1);
    if (v[sample_count] || v[sum] || v[average]) {
        b.count += samples;
        b.has_count = true;
    }
    if (v[sum] || v[average]) {
        b.total += v[sum] ? *v[sum] : *v[average] * samples;
        b.has_sum = true;
    }
    if (v[minimum] || v[average]) {
        b.low = std::min(b.low, v[minimum] ? *v[minimum] : *v[average]);
        b.has_low = true;
    }
    if (v[maximum] || v[average]) {
        b.high = std::max(b.high, v[maximum] ? *v[maximum] : *v[average]);
        b.has_high = true;
    }
}

std::optional<double> value_of(const bucket& b, statistic s) {
    switch (s) {
        case sample_count:
            return b.has_count ? std::optional(b.count) : std::nullopt;
        case average:
            return b.has_sum && b.count > 0 ? std::optional(b.total / b.count) : std::nullopt;
        case sum:
            return b.has_sum ? std::optional(b.total) : std::nullopt;
        case minimum:
            return b.has_low ? std::optional(b.low) : std::nullopt;
        case maximum:
            return b.has_high ? std::optional(b.high) : std::nullopt;
        case statistic_count:
            break;
    }
    return std::nullopt;
}

// CloudWatch does not sort datapoints. Answer deterministically but never in time order (for three or
// more): oldest first, then the newest, then the rest, so that neither "first" nor "last" is the newest.
std::vector<const bucket*> unsorted(const std::vector<bucket>& chronological) {
    std::vector<const bucket*> out;
    if (chronological.empty()) {
        return out;
    }
    out.push_back(&chronological.front());
    if (chronological.size() > 1) {
        out.push_back(&chronological.back());
    }
    for (std::size_t i = 1; i + 1 < chronological.size(); ++i) {
        out.push_back(&chronological[i]);
    }
    return out;
}

}  // namespace

reply get_metric_statistics(const call_context& ctx) {
    const auto& ns = required(ctx, "Namespace");
    const auto& name = required(ctx, "MetricName");
    const auto start = read_time(ctx, "StartTime");
    const auto end = read_time(ctx, "EndTime");
    const auto period = int_param(ctx.params, "Period", "InvalidParameterValue");
    if (!period) {
        throw api_error("MissingParameter", "The parameter Period is required.");
    }
    if (*period < 1 ||
        (*period % 60 != 0 && *period != 1 && *period != 5 && *period != 10 && *period != 30)) {
        throw api_error("InvalidParameterValue", "The parameter Period must be a multiple of 60.");
    }
    if (start >= end) {
        throw api_error("InvalidParameterValue",
                        "The parameter StartTime must be less than the parameter EndTime.");
    }
    const auto requested = (end - start + *period - 1) / *period;
    if (static_cast<std::size_t>(requested) > max_datapoints) {
        throw api_error(
            "InvalidParameterCombination",
            "You have requested up to " + std::to_string(requested) +
                " datapoints, which exceeds the limit of 1,440. You may reduce the datapoints requested "
                "by increasing Period, or decreasing the time range.");
    }
    std::vector<statistic> stats;
    for (const auto& s : list_param(ctx.params, "Statistics.member")) {
        const auto it = std::find(statistic_names.begin(), statistic_names.end(), s);
        if (it == statistic_names.end()) {
            throw api_error(
                "InvalidParameterValue",
                "The parameter Statistics.member." + std::to_string(stats.size() + 1) +
                    " must be a value in the set [ Minimum, Maximum, Sum, SampleCount, Average ].");
        }
        stats.push_back(static_cast<statistic>(it - statistic_names.begin()));
    }
    const auto extended = list_param(ctx.params, "ExtendedStatistics.member");
    if (stats.empty() == extended.empty()) {
        throw api_error("InvalidParameterCombination",
                        stats.empty()
                            ? "At least one of the parameters Statistics and ExtendedStatistics must be "
                              "specified."
                            : "The parameters Statistics and ExtendedStatistics are mutually exclusive.");
    }
    if (stats.size() > 5 || extended.size() > 10) {
        throw api_error("InvalidParameterValue", "Too many statistics requested.");
    }
    const auto dims = read_dimensions(ctx, true);
    const auto* unit = find_param(ctx.params, "Unit");

    const seconds_t anchor = ctx.now - ((ctx.now % 60) + 60) % 60;
    std::map<seconds_t, bucket> slots;
    std::string answered_unit;
    for (const auto& m : ctx.region.metrics) {
        if (m.ns != ns || m.name != name || !same_dimensions(m.dimensions, dims) ||
            (unit != nullptr && !unit->empty() && *unit != m.unit)) {
            continue;
        }
        answered_unit = m.unit;
        for (const auto& p : m.datapoints) {
            const seconds_t t = p.at ? *p.at : anchor - p.ago;
            if (t < start || t >= end) {
                continue;
            }
            const seconds_t slot = t - ((t % *period) + *period) % *period;
            auto& b = slots[slot];
            b.timestamp = slot;
            add(b, p);
        }
    }
    std::vector<bucket> buckets;
    buckets.reserve(slots.size());
    for (const auto& [_, b] : slots) {
        buckets.push_back(b);
    }

    xml_writer w;
    w.leaf("Label", name);
    w.open("Datapoints");
    for (const auto* b : unsorted(buckets)) {
        w.open("member");
        w.leaf("Timestamp", iso8601(b->timestamp));
        for (auto s : stats) {
            if (const auto v = value_of(*b, s)) {
                w.leaf(statistic_names.at(s), *v);
            }
        }
        if (!extended.empty()) {
            w.open("ExtendedStatistics");
            for (const auto& p : extended) {
                double percent = 50;
                try {
                    percent = std::stod(p.substr(1));
                } catch (const std::exception&) {
                    throw api_error("InvalidParameterValue", "The parameter ExtendedStatistics contains " +
                                                                 p +
                                                                 ", which is not a percentile such as p99.");
                }
                const double low = b->has_low ? b->low : 0;
                const double high = b->has_high ? b->high : low;
                w.open("entry");
                w.leaf("key", p);
                w.leaf("value", low + (high - low) * percent / 100);
                w.close("entry");
            }
            w.close("ExtendedStatistics");
        }
        w.leaf("Unit", answered_unit);
        w.close("member");
    }
    w.close("Datapoints");
    return xml_reply(ctx, w.take());
}

namespace {

std::size_t read_offset(const call_context& ctx, std::string_view invalid_code) {
    const auto* token = find_param(ctx.params, "NextToken");
    if (token == nullptr || token->empty()) {
        return 0;
    }
    const auto offset = decode_token(ctx.op.name, *token);
    if (!offset) {
        throw api_error(std::string(invalid_code), "The service returned an invalid NextToken: " + *token);
    }
    return *offset;
}

void write_dimensions(xml_writer& w, const std::vector<dimension>& dims) {
    w.open("Dimensions");
    for (const auto& d : dims) {
        w.open("member");
        w.leaf("Name", d.name);
        w.leaf("Value", d.value);
        w.close("member");
    }
    w.close("Dimensions");
}

}  // namespace

reply list_metrics(const call_context& ctx) {
    const auto* ns = find_param(ctx.params, "Namespace");
    const auto* name = find_param(ctx.params, "MetricName");
    const auto filters = read_dimensions(ctx, false);
    const auto* recent = find_param(ctx.params, "RecentlyActive");
    if (recent != nullptr && *recent != "PT3H") {
        throw api_error("InvalidParameterValue", "The parameter RecentlyActive must be PT3H.");
    }
    const seconds_t anchor = ctx.now - ((ctx.now % 60) + 60) % 60;
    std::vector<const metric*> selected;
    for (const auto& m : ctx.region.metrics) {
        if ((ns != nullptr && m.ns != *ns) || (name != nullptr && m.name != *name)) {
            continue;
        }
        const bool dims_match = std::all_of(filters.begin(), filters.end(), [&](const dimension& f) {
            return std::any_of(m.dimensions.begin(), m.dimensions.end(), [&](const dimension& d) {
                return d.name == f.name && (f.value.empty() || d.value == f.value);
            });
        });
        const bool active =
            recent == nullptr || std::any_of(m.datapoints.begin(), m.datapoints.end(), [&](const auto& p) {
                return (p.at ? *p.at : anchor - p.ago) >= ctx.now - 3LL * 3600;
            });
        if (dims_match && active) {
            selected.push_back(&m);
        }
    }
    const auto p =
        paginate(ctx, selected.size(), read_offset(ctx, "InvalidParameterValue"), list_metrics_page);
    xml_writer w;
    w.open("Metrics");
    for (auto k = p.begin; k < p.end; ++k) {
        w.open("member");
        w.leaf("Namespace", selected[k]->ns);
        w.leaf("MetricName", selected[k]->name);
        write_dimensions(w, selected[k]->dimensions);
        w.close("member");
    }
    w.close("Metrics");
    w.leaf_if("NextToken", p.next_token);
    return xml_reply(ctx, w.take());
}

namespace {

void write_actions(xml_writer& w) {
    w.empty("OKActions");
    w.empty("AlarmActions");
    w.empty("InsufficientDataActions");
}

void write_metric_alarm(xml_writer& w, const metric_alarm& a, seconds_t now) {
    w.open("member");
    w.leaf("AlarmName", a.name);
    w.leaf("AlarmArn", a.arn);
    w.leaf_if("AlarmDescription", a.description);
    w.leaf("AlarmConfigurationUpdatedTimestamp", iso8601(now - a.updated_ago - 86400, true));
    w.leaf("ActionsEnabled", a.actions_enabled);
    write_actions(w);
    w.leaf("StateValue", a.state);
    w.leaf("StateReason", a.reason);
    w.leaf("StateUpdatedTimestamp", iso8601(now - a.updated_ago, true));
    w.leaf("StateTransitionedTimestamp", iso8601(now - a.updated_ago, true));
    if (a.queries.empty()) {
        w.leaf("MetricName", a.metric_name);
        w.leaf("Namespace", a.ns);
        w.leaf_if("Statistic", a.statistic);
        w.leaf_if("ExtendedStatistic", a.extended_statistic);
        write_dimensions(w, a.dimensions);
        w.leaf("Period", a.period);
        w.leaf_if("Unit", a.unit);
    } else {
        w.empty("Dimensions");
    }
    w.leaf("EvaluationPeriods", a.evaluation_periods);
    if (a.datapoints_to_alarm > 0) {
        w.leaf("DatapointsToAlarm", a.datapoints_to_alarm);
    }
    w.leaf("Threshold", a.threshold);
    w.leaf("ComparisonOperator", a.comparison);
    w.leaf("TreatMissingData", a.treat_missing_data);
    if (!a.queries.empty()) {
        w.open("Metrics");
        for (const auto& q : a.queries) {
            w.open("member");
            w.leaf("Id", q.id);
            if (q.expression.empty()) {
                w.open("MetricStat");
                w.open("Metric");
                w.leaf("Namespace", q.ns);
                w.leaf("MetricName", q.metric_name);
                write_dimensions(w, q.dimensions);
                w.close("Metric");
                w.leaf("Period", q.period);
                w.leaf("Stat", q.stat);
                w.leaf_if("Unit", q.unit);
                w.close("MetricStat");
            } else {
                w.leaf("Expression", q.expression);
                if (q.period > 0) {
                    w.leaf("Period", q.period);
                }
            }
            w.leaf_if("Label", q.label);
            w.leaf("ReturnData", q.return_data);
            w.close("member");
        }
        w.close("Metrics");
    }
    w.close("member");
}

void write_composite_alarm(xml_writer& w, const composite_alarm& a, seconds_t now) {
    w.open("member");
    w.leaf("ActionsEnabled", true);
    w.empty("AlarmActions");
    w.leaf("AlarmArn", a.arn);
    w.leaf("AlarmConfigurationUpdatedTimestamp", iso8601(now - a.updated_ago - 86400, true));
    w.leaf_if("AlarmDescription", a.description);
    w.leaf("AlarmName", a.name);
    w.leaf("AlarmRule", a.rule);
    w.empty("InsufficientDataActions");
    w.empty("OKActions");
    w.leaf("StateReason", a.reason);
    w.leaf("StateUpdatedTimestamp", iso8601(now - a.updated_ago, true));
    w.leaf("StateValue", a.state);
    w.leaf("StateTransitionedTimestamp", iso8601(now - a.updated_ago, true));
    w.close("member");
}

}  // namespace

reply describe_alarms(const call_context& ctx) {
    const auto names = list_param(ctx.params, "AlarmNames.member");
    const auto types = list_param(ctx.params, "AlarmTypes.member");
    const auto* children_of = find_param(ctx.params, "ChildrenOfAlarmName");
    const auto* parents_of = find_param(ctx.params, "ParentsOfAlarmName");
    const auto* prefix = find_param(ctx.params, "AlarmNamePrefix");
    const auto* state = find_param(ctx.params, "StateValue");
    const auto* action_prefix = find_param(ctx.params, "ActionPrefix");
    if (names.size() > 100) {
        throw api_error("ValidationError",
                        "1 validation error detected: Value at 'alarmNames' failed to satisfy "
                        "constraint: Member must have length less than or equal to 100");
    }
    for (const auto& t : types) {
        if (t != "CompositeAlarm" && t != "MetricAlarm") {
            throw api_error("ValidationError",
                            "1 validation error detected: Value '[" + t +
                                "]' at 'alarmTypes' failed to satisfy constraint: Member must "
                                "satisfy constraint: [Member must satisfy enum value set: "
                                "[CompositeAlarm, MetricAlarm]]");
        }
    }
    if (state != nullptr && *state != "OK" && *state != "ALARM" && *state != "INSUFFICIENT_DATA") {
        throw api_error("ValidationError",
                        "1 validation error detected: Value '" + *state +
                            "' at 'stateValue' failed to satisfy constraint: Member must satisfy "
                            "enum value set: [INSUFFICIENT_DATA, ALARM, OK]");
    }
    const auto max = int_param(ctx.params, "MaxRecords", "InvalidParameterValue");
    if (max && (*max < 1 || *max > 100)) {
        throw api_error("ValidationError",
                        "1 validation error detected: Value '" + std::to_string(*max) +
                            "' at 'maxRecords' failed to satisfy constraint: Member must have "
                            "value between 1 and 100");
    }
    const bool other_filters =
        !names.empty() || !types.empty() || prefix != nullptr || state != nullptr || action_prefix != nullptr;
    if (children_of != nullptr && (other_filters || parents_of != nullptr)) {
        throw api_error("InvalidParameterCombination",
                        "If you are trying to retrieve children of an alarm, you may not specify any other "
                        "filters except MaxRecords and NextToken.");
    }
    if (parents_of != nullptr && other_filters) {
        throw api_error(
            "InvalidParameterCombination",
            "If you are trying to retrieve parents of an alarm, you may not specify any other filters "
            "except MaxRecords and NextToken.");
    }
    if (!names.empty() && prefix != nullptr) {
        throw api_error("InvalidParameterCombination",
                        "AlarmNames and AlarmNamePrefix cannot be specified together.");
    }

    const auto& region = ctx.region;
    std::vector<std::string> relatives;  // set by ChildrenOfAlarmName / ParentsOfAlarmName
    if (children_of != nullptr) {
        for (const auto& c : region.composite_alarms) {
            if (c.name == *children_of) {
                relatives = c.children;
            }
        }
    } else if (parents_of != nullptr) {
        for (const auto& c : region.composite_alarms) {
            if (std::find(c.children.begin(), c.children.end(), *parents_of) != c.children.end()) {
                relatives.push_back(c.name);
            }
        }
    }
    const bool by_relation = children_of != nullptr || parents_of != nullptr;
    const bool want_metric =
        by_relation || (types.empty() || std::find(types.begin(), types.end(), "MetricAlarm") != types.end());
    const bool want_composite =
        by_relation || std::find(types.begin(), types.end(), "CompositeAlarm") != types.end();
    const auto selected = [&](const std::string& name, const std::string& alarm_state) {
        if (by_relation) {
            return std::find(relatives.begin(), relatives.end(), name) != relatives.end();
        }
        return (names.empty() || std::find(names.begin(), names.end(), name) != names.end()) &&
               (prefix == nullptr || name.rfind(*prefix, 0) == 0) &&
               (state == nullptr || alarm_state == *state) && action_prefix == nullptr;
    };

    std::vector<const metric_alarm*> metric_alarms;
    if (want_metric) {
        for (const auto& a : region.metric_alarms) {
            if (selected(a.name, a.state)) {
                metric_alarms.push_back(&a);
            }
        }
    }
    std::vector<const composite_alarm*> composite_alarms;
    if (want_composite) {
        for (const auto& a : region.composite_alarms) {
            if (selected(a.name, a.state)) {
                composite_alarms.push_back(&a);
            }
        }
    }
    const auto total = metric_alarms.size() + composite_alarms.size();
    const auto p = paginate(ctx, total, read_offset(ctx, "InvalidNextToken"),
                            static_cast<std::size_t>(max.value_or(50)));
    xml_writer w;
    w.open("MetricAlarms");
    for (auto k = p.begin; k < std::min(p.end, metric_alarms.size()); ++k) {
        write_metric_alarm(w, *metric_alarms[k], ctx.now);
    }
    w.close("MetricAlarms");
    w.open("CompositeAlarms");
    for (auto k = std::max(p.begin, metric_alarms.size()); k < p.end; ++k) {
        write_composite_alarm(w, *composite_alarms[k - metric_alarms.size()], ctx.now);
    }
    w.close("CompositeAlarms");
    w.leaf_if("NextToken", p.next_token);
    return xml_reply(ctx, w.take());
}

}  // namespace orvane::tessel::emulator::detail
