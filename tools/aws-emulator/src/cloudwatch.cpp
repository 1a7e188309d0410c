// CloudWatch (awsQuery): ListMetrics, and what the CloudWatch handlers share. GetMetricStatistics is in
// cloudwatch_statistics.cpp, DescribeAlarms in cloudwatch_alarms.cpp.
#include "cloudwatch.hpp"

#include <algorithm>

namespace orvane::tessel::emulator::detail {
namespace cloudwatch {

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

}  // namespace cloudwatch

namespace {

constexpr std::size_t list_metrics_page = 500;

}  // namespace

reply list_metrics(const call_context& ctx) {
    const auto* ns = find_param(ctx.params, "Namespace");
    const auto* name = find_param(ctx.params, "MetricName");
    const auto filters = cloudwatch::read_dimensions(ctx, false);
    const auto* recent = find_param(ctx.params, "RecentlyActive");
    if (recent != nullptr && *recent != "PT3H") {
        throw api_error("InvalidParameterValue", "The parameter RecentlyActive must be PT3H.");
    }
    const seconds_t anchor = cloudwatch::minute_anchor(ctx.now);
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
                return cloudwatch::time_of(p, anchor) >= ctx.now - 3LL * 3600;
            });
        if (dims_match && active) {
            selected.push_back(&m);
        }
    }
    const auto p = paginate(ctx, selected.size(), cloudwatch::read_offset(ctx, "InvalidParameterValue"),
                            list_metrics_page);
    xml_writer w;
    w.open("Metrics");
    for (auto k = p.begin; k < p.end; ++k) {
        w.open("member");
        w.leaf("Namespace", selected[k]->ns);
        w.leaf("MetricName", selected[k]->name);
        cloudwatch::write_dimensions(w, selected[k]->dimensions);
        w.close("member");
    }
    w.close("Metrics");
    w.leaf_if("NextToken", p.next_token);
    return xml_reply(ctx, w.take());
}

}  // namespace orvane::tessel::emulator::detail
