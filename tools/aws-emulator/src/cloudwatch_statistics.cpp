// CloudWatch GetMetricStatistics: the request checked as CloudWatch checks it, the scenario's datapoints
// summed into one bucket per period, and the buckets answered in CloudWatch's unsorted order.
#include "cloudwatch.hpp"

#include <algorithm>
#include <limits>
#include <map>

namespace orvane::tessel::emulator::detail {
namespace {

constexpr std::size_t max_datapoints = 1440;

struct statistics_request {
    std::string ns;
    std::string name;
    seconds_t start = 0;
    seconds_t end = 0;
    long long period = 0;
    std::vector<statistic> stats;
    std::vector<std::string> extended;  // percentiles such as p99
    std::vector<dimension> dims;
    const std::string* unit = nullptr;
};

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

long long read_period(const call_context& ctx) {
    const auto period = int_param(ctx.params, "Period", "InvalidParameterValue");
    if (!period) {
        throw api_error("MissingParameter", "The parameter Period is required.");
    }
    if (*period < 1 ||
        (*period % 60 != 0 && *period != 1 && *period != 5 && *period != 10 && *period != 30)) {
        throw api_error("InvalidParameterValue", "The parameter Period must be a multiple of 60.");
    }
    return *period;
}

void check_range(const statistics_request& r) {
    if (r.start >= r.end) {
        throw api_error("InvalidParameterValue",
                        "The parameter StartTime must be less than the parameter EndTime.");
    }
    const auto requested = (r.end - r.start + r.period - 1) / r.period;
    if (static_cast<std::size_t>(requested) > max_datapoints) {
        throw api_error(
            "InvalidParameterCombination",
            "You have requested up to " + std::to_string(requested) +
                " datapoints, which exceeds the limit of 1,440. You may reduce the datapoints requested "
                "by increasing Period, or decreasing the time range.");
    }
}

std::vector<statistic> read_statistics(const call_context& ctx) {
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
    return stats;
}

void check_statistics(const statistics_request& r) {
    if (r.stats.empty() == r.extended.empty()) {
        throw api_error("InvalidParameterCombination",
                        r.stats.empty()
                            ? "At least one of the parameters Statistics and ExtendedStatistics must be "
                              "specified."
                            : "The parameters Statistics and ExtendedStatistics are mutually exclusive.");
    }
    if (r.stats.size() > 5 || r.extended.size() > 10) {
        throw api_error("InvalidParameterValue", "Too many statistics requested.");
    }
}

statistics_request read_request(const call_context& ctx) {
    statistics_request r;
    r.ns = required(ctx, "Namespace");
    r.name = required(ctx, "MetricName");
    r.start = read_time(ctx, "StartTime");
    r.end = read_time(ctx, "EndTime");
    r.period = read_period(ctx);
    check_range(r);
    r.stats = read_statistics(ctx);
    r.extended = list_param(ctx.params, "ExtendedStatistics.member");
    check_statistics(r);
    r.dims = cloudwatch::read_dimensions(ctx, true);
    r.unit = find_param(ctx.params, "Unit");
    return r;
}

bool same_dimensions(const std::vector<dimension>& a, const std::vector<dimension>& b) {
    return a.size() == b.size() && std::all_of(a.begin(), a.end(), [&](const dimension& d) {
               return std::find(b.begin(), b.end(), d) != b.end();
           });
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

struct series {
    std::vector<bucket> buckets;  // in time order
    std::string unit;             // the last matching metric's
};

bool matches(const metric& m, const statistics_request& r) {
    return m.ns == r.ns && m.name == r.name && same_dimensions(m.dimensions, r.dims) &&
           (r.unit == nullptr || r.unit->empty() || *r.unit == m.unit);
}

series aggregate(const call_context& ctx, const statistics_request& r) {
    const seconds_t anchor = cloudwatch::minute_anchor(ctx.now);
    std::map<seconds_t, bucket> slots;
    series out;
    for (const auto& m : ctx.region.metrics) {
        if (!matches(m, r)) {
            continue;
        }
        out.unit = m.unit;
        for (const auto& p : m.datapoints) {
            const seconds_t t = cloudwatch::time_of(p, anchor);
            if (t < r.start || t >= r.end) {
                continue;
            }
            const seconds_t slot = t - ((t % r.period) + r.period) % r.period;
            auto& b = slots[slot];
            b.timestamp = slot;
            add(b, p);
        }
    }
    out.buckets.reserve(slots.size());
    for (const auto& [_, b] : slots) {
        out.buckets.push_back(b);
    }
    return out;
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

// Percentiles are read only when a bucket is answered: without datapoints a bad one goes unnoticed.
void write_percentiles(xml_writer& w, const bucket& b, const std::vector<std::string>& extended) {
    w.open("ExtendedStatistics");
    for (const auto& p : extended) {
        double percent = 50;
        try {
            percent = std::stod(p.substr(1));
        } catch (const std::exception&) {
            throw api_error("InvalidParameterValue", "The parameter ExtendedStatistics contains " + p +
                                                         ", which is not a percentile such as p99.");
        }
        const double low = b.has_low ? b.low : 0;
        const double high = b.has_high ? b.high : low;
        w.open("entry");
        w.leaf("key", p);
        w.leaf("value", low + (high - low) * percent / 100);
        w.close("entry");
    }
    w.close("ExtendedStatistics");
}

std::string render(const statistics_request& r, const series& s) {
    xml_writer w;
    w.leaf("Label", r.name);
    w.open("Datapoints");
    for (const auto* b : unsorted(s.buckets)) {
        w.open("member");
        w.leaf("Timestamp", iso8601(b->timestamp));
        for (auto stat : r.stats) {
            if (const auto v = value_of(*b, stat)) {
                w.leaf(statistic_names.at(stat), *v);
            }
        }
        if (!r.extended.empty()) {
            write_percentiles(w, *b, r.extended);
        }
        w.leaf("Unit", s.unit);
        w.close("member");
    }
    w.close("Datapoints");
    return w.take();
}

}  // namespace

reply get_metric_statistics(const call_context& ctx) {
    const auto request = read_request(ctx);
    return xml_reply(ctx, render(request, aggregate(ctx, request)));
}

}  // namespace orvane::tessel::emulator::detail
