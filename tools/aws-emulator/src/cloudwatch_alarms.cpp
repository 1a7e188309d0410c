// CloudWatch DescribeAlarms: the filters checked as CloudWatch checks them, the alarms they select
// (metric alarms first, then composite ones, paged as one list), and each alarm as CloudWatch writes it.
#include "cloudwatch.hpp"

#include <algorithm>

namespace orvane::tessel::emulator::detail {
namespace {

struct alarm_filter {
    std::vector<std::string> names;
    std::vector<std::string> types;
    const std::string* children_of = nullptr;
    const std::string* parents_of = nullptr;
    const std::string* prefix = nullptr;
    const std::string* state = nullptr;
    const std::string* action_prefix = nullptr;
    std::optional<long long> max;
};

void check_values(const alarm_filter& f) {
    if (f.names.size() > 100) {
        throw api_error("ValidationError",
                        "1 validation error detected: Value at 'alarmNames' failed to satisfy "
                        "constraint: Member must have length less than or equal to 100");
    }
    for (const auto& t : f.types) {
        if (t != "CompositeAlarm" && t != "MetricAlarm") {
            throw api_error("ValidationError",
                            "1 validation error detected: Value '[" + t +
                                "]' at 'alarmTypes' failed to satisfy constraint: Member must "
                                "satisfy constraint: [Member must satisfy enum value set: "
                                "[CompositeAlarm, MetricAlarm]]");
        }
    }
    const auto* state = f.state;
    if (state != nullptr && *state != "OK" && *state != "ALARM" && *state != "INSUFFICIENT_DATA") {
        throw api_error("ValidationError",
                        "1 validation error detected: Value '" + *state +
                            "' at 'stateValue' failed to satisfy constraint: Member must satisfy "
                            "enum value set: [INSUFFICIENT_DATA, ALARM, OK]");
    }
}

std::optional<long long> read_max_records(const call_context& ctx) {
    const auto max = int_param(ctx.params, "MaxRecords", "InvalidParameterValue");
    if (max && (*max < 1 || *max > 100)) {
        throw api_error("ValidationError",
                        "1 validation error detected: Value '" + std::to_string(*max) +
                            "' at 'maxRecords' failed to satisfy constraint: Member must have "
                            "value between 1 and 100");
    }
    return max;
}

void check_combination(const alarm_filter& f) {
    const bool other_filters = !f.names.empty() || !f.types.empty() || f.prefix != nullptr ||
                               f.state != nullptr || f.action_prefix != nullptr;
    if (f.children_of != nullptr && (other_filters || f.parents_of != nullptr)) {
        throw api_error("InvalidParameterCombination",
                        "If you are trying to retrieve children of an alarm, you may not specify any other "
                        "filters except MaxRecords and NextToken.");
    }
    if (f.parents_of != nullptr && other_filters) {
        throw api_error(
            "InvalidParameterCombination",
            "If you are trying to retrieve parents of an alarm, you may not specify any other filters "
            "except MaxRecords and NextToken.");
    }
    if (!f.names.empty() && f.prefix != nullptr) {
        throw api_error("InvalidParameterCombination",
                        "AlarmNames and AlarmNamePrefix cannot be specified together.");
    }
}

alarm_filter read_filter(const call_context& ctx) {
    alarm_filter f;
    f.names = list_param(ctx.params, "AlarmNames.member");
    f.types = list_param(ctx.params, "AlarmTypes.member");
    f.children_of = find_param(ctx.params, "ChildrenOfAlarmName");
    f.parents_of = find_param(ctx.params, "ParentsOfAlarmName");
    f.prefix = find_param(ctx.params, "AlarmNamePrefix");
    f.state = find_param(ctx.params, "StateValue");
    f.action_prefix = find_param(ctx.params, "ActionPrefix");
    check_values(f);
    f.max = read_max_records(ctx);
    check_combination(f);
    return f;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The alarms named by ChildrenOfAlarmName or ParentsOfAlarmName.
std::vector<std::string> relatives(const region_data& region, const alarm_filter& f) {
    std::vector<std::string> out;
    if (f.children_of != nullptr) {
        for (const auto& c : region.composite_alarms) {
            if (c.name == *f.children_of) {
                out = c.children;
            }
        }
    } else if (f.parents_of != nullptr) {
        for (const auto& c : region.composite_alarms) {
            if (contains(c.children, *f.parents_of)) {
                out.push_back(c.name);
            }
        }
    }
    return out;
}

struct alarm_selection {
    std::vector<const metric_alarm*> metric_alarms;
    std::vector<const composite_alarm*> composite_alarms;
};

template <typename Alarm, typename Selected>
std::vector<const Alarm*> matching(const std::vector<Alarm>& alarms, bool wanted, const Selected& selected) {
    std::vector<const Alarm*> out;
    if (wanted) {
        for (const auto& a : alarms) {
            if (selected(a.name, a.state)) {
                out.push_back(&a);
            }
        }
    }
    return out;
}

alarm_selection select_alarms(const region_data& region, const alarm_filter& f) {
    const auto related = relatives(region, f);
    const bool by_relation = f.children_of != nullptr || f.parents_of != nullptr;
    const bool want_metric = by_relation || f.types.empty() || contains(f.types, "MetricAlarm");
    const bool want_composite = by_relation || contains(f.types, "CompositeAlarm");
    const auto selected = [&](const std::string& name, const std::string& alarm_state) {
        if (by_relation) {
            return contains(related, name);
        }
        return (f.names.empty() || contains(f.names, name)) &&
               (f.prefix == nullptr || name.rfind(*f.prefix, 0) == 0) &&
               (f.state == nullptr || alarm_state == *f.state) && f.action_prefix == nullptr;
    };
    return {matching(region.metric_alarms, want_metric, selected),
            matching(region.composite_alarms, want_composite, selected)};
}

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
        cloudwatch::write_dimensions(w, a.dimensions);
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
                cloudwatch::write_dimensions(w, q.dimensions);
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

// One page over the metric alarms followed by the composite ones.
std::string render(const call_context& ctx, const alarm_selection& s, const page& p) {
    const auto& metric_alarms = s.metric_alarms;
    xml_writer w;
    w.open("MetricAlarms");
    for (auto k = p.begin; k < std::min(p.end, metric_alarms.size()); ++k) {
        write_metric_alarm(w, *metric_alarms[k], ctx.now);
    }
    w.close("MetricAlarms");
    w.open("CompositeAlarms");
    for (auto k = std::max(p.begin, metric_alarms.size()); k < p.end; ++k) {
        write_composite_alarm(w, *s.composite_alarms[k - metric_alarms.size()], ctx.now);
    }
    w.close("CompositeAlarms");
    w.leaf_if("NextToken", p.next_token);
    return w.take();
}

}  // namespace

reply describe_alarms(const call_context& ctx) {
    const auto filter = read_filter(ctx);
    const auto selection = select_alarms(ctx.region, filter);
    const auto total = selection.metric_alarms.size() + selection.composite_alarms.size();
    const auto p = paginate(ctx, total, cloudwatch::read_offset(ctx, "InvalidNextToken"),
                            static_cast<std::size_t>(filter.max.value_or(50)));
    return xml_reply(ctx, render(ctx, selection, p));
}

}  // namespace orvane::tessel::emulator::detail
