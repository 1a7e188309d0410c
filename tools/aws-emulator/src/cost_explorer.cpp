// Cost Explorer (JSON 1.1): GetCostAndUsage and GetCostForecast.
//
// Cost model: a month's amount is what the scenario gives for it. A past month's amount is spread evenly
// over its days; the current month's amount is the month to date, spread over the days up to and
// including today; later days cost nothing. A period's amount is the sum over its days.
// Forecast model: a daily rate per metric (the scenario's, else the current month's amount divided by
// the days so far, else last month's daily average) times the days of the requested period.
#include "common.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace orvane::tessel::emulator::detail {
namespace {

using json = nlohmann::ordered_json;

constexpr std::size_t first_usage_metric = 5;  // NormalizedUsageAmount, UsageQuantity are not costs

api_error validation(std::string message) {
    return {"ValidationException", std::move(message)};
}

std::string format_amount(double value) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.10f", value);
    std::string text = buffer.data();
    while (!text.empty() && text.back() == '0') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" || text.empty() ? "0" : text;
}

std::int64_t month_index(const civil_date& d) {
    return static_cast<std::int64_t>(d.year) * 12 + d.month - 1;
}

struct cost_calendar {
    const costs& data;
    civil_date today;

    [[nodiscard]] std::optional<double> month_amount(const civil_date& month, std::size_t metric) const {
        std::array<char, 16> key{};
        std::snprintf(key.data(), key.size(), "%04d-%02u", month.year, month.month);
        if (const auto it = data.absolute_months.find(key.data()); it != data.absolute_months.end()) {
            return it->second.at(metric);
        }
        const auto offset = static_cast<int>(month_index(month) - month_index(today));
        if (const auto it = data.relative_months.find(offset); it != data.relative_months.end()) {
            return it->second.at(metric);
        }
        return std::nullopt;
    }

    // Days of `month` over which its amount is spread (0: the month has no cost yet).
    [[nodiscard]] unsigned spread_days(const civil_date& month) const {
        const auto m = month_index(month);
        const auto now = month_index(today);
        if (m > now) {
            return 0;
        }
        return m == now ? today.day : days_in_month(month.year, month.month);
    }

    // The amount of the days [from, to) that lie in from's month.
    [[nodiscard]] double amount(std::int64_t from, std::int64_t to, std::size_t metric) const {
        const auto month = civil_from_days(from);
        const auto spread = spread_days(month);
        const auto total = month_amount(month, metric);
        if (spread == 0 || !total) {
            return 0;
        }
        const auto first = days_from_civil({month.year, month.month, 1});
        const auto last_counted = first + spread;  // exclusive
        const auto counted = std::max<std::int64_t>(0, std::min(to, last_counted) - std::max(from, first));
        return *total * static_cast<double>(counted) / spread;
    }

    [[nodiscard]] double daily_rate(std::size_t metric) const {
        if (data.daily_forecast.at(metric)) {
            return *data.daily_forecast.at(metric);
        }
        const civil_date this_month{today.year, today.month, 1};
        if (const auto mtd = month_amount(this_month, metric)) {
            return *mtd / today.day;
        }
        const auto previous = civil_from_days(days_from_civil(this_month) - 1);
        if (const auto last = month_amount(previous, metric)) {
            return *last / days_in_month(previous.year, previous.month);
        }
        return 0;
    }
};

json parse_body(std::string_view body) {
    try {
        auto parsed = json::parse(body.begin(), body.end());
        if (!parsed.is_object()) {
            throw api_error("SerializationException", "Start of structure or map found where not expected.");
        }
        return parsed;
    } catch (const json::exception&) {
        throw api_error("SerializationException", "Malformed JSON request body.");
    }
}

std::string member_text(const json& object, const char* key, const char* path) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) {
        throw validation(std::string("1 validation error detected: Value null at '") + path +
                         "' failed to satisfy constraint: Member must not be null");
    }
    if (!it->is_string()) {
        throw api_error("SerializationException", std::string("Expected a string for ") + path + ".");
    }
    return it->get<std::string>();
}

struct period {
    std::int64_t start = 0;  // days since the epoch
    std::int64_t end = 0;    // exclusive
    std::string start_text;
    std::string end_text;
};

period read_period(const json& body) {
    const auto it = body.find("TimePeriod");
    if (it == body.end() || !it->is_object()) {
        throw validation(
            "1 validation error detected: Value null at 'timePeriod' failed to satisfy constraint: Member "
            "must not "
            "be null");
    }
    period p;
    p.start_text = member_text(*it, "Start", "timePeriod.start");
    p.end_text = member_text(*it, "End", "timePeriod.end");
    const auto start = parse_date(p.start_text.substr(0, std::min<std::size_t>(p.start_text.size(), 10)));
    const auto end = parse_date(p.end_text.substr(0, std::min<std::size_t>(p.end_text.size(), 10)));
    if (!start || (p.start_text.size() != 10 && p.start_text.size() != 20)) {
        throw validation("Start date " + p.start_text + " is not in the format yyyy-MM-dd");
    }
    if (!end || (p.end_text.size() != 10 && p.end_text.size() != 20)) {
        throw validation("End date " + p.end_text + " is not in the format yyyy-MM-dd");
    }
    p.start = days_from_civil(*start);
    p.end = days_from_civil(*end);
    return p;
}

std::string read_granularity(const json& body, std::initializer_list<std::string_view> allowed) {
    auto g = member_text(body, "Granularity", "granularity");
    if (std::find(allowed.begin(), allowed.end(), g) == allowed.end()) {
        if (g == "HOURLY") {
            throw validation("Hourly granularity is not enabled for this account");
        }
        throw validation(
            "1 validation error detected: Value '" + g +
            "' at 'granularity' failed to satisfy constraint: Member must satisfy enum value set: "
            "[DAILY, MONTHLY, HOURLY]");
    }
    return g;
}

std::optional<std::size_t> metric_index(std::string_view name) {
    for (std::size_t i = 0; i < cost_metric_names.size(); ++i) {
        const std::string_view known = cost_metric_names.at(i);
        if (known.size() == name.size() &&
            std::equal(known.begin(), known.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return i;
        }
    }
    return std::nullopt;
}

// [start, end) split at month boundaries (MONTHLY) or per day (DAILY).
std::vector<std::pair<std::int64_t, std::int64_t>> slices(std::int64_t start, std::int64_t end,
                                                          bool monthly) {
    std::vector<std::pair<std::int64_t, std::int64_t>> out;
    for (auto from = start; from < end;) {
        auto to = from + 1;
        if (monthly) {
            const auto d = civil_from_days(from);
            to = days_from_civil({d.year, d.month, 1}) + days_in_month(d.year, d.month);
        }
        to = std::min(to, end);
        out.emplace_back(from, to);
        from = to;
    }
    return out;
}

json time_period(std::int64_t from, std::int64_t to) {
    return {{"Start", format_date(civil_from_days(from))}, {"End", format_date(civil_from_days(to))}};
}

cost_calendar calendar_of(const call_context& ctx) {
    const auto days = (ctx.now >= 0 ? ctx.now : ctx.now - 86399) / 86400;
    return {ctx.acct.cost, civil_from_days(days)};
}

reply json_reply(const json& body) {
    return {200, "application/x-amz-json-1.1", body.dump()};
}

reply get_cost_and_usage(const call_context& ctx, const cost_calendar& calendar) {
    const auto body = parse_body(ctx.body);
    const auto p = read_period(body);
    const auto granularity = read_granularity(body, {"MONTHLY", "DAILY"});
    const auto metrics_it = body.find("Metrics");
    if (metrics_it == body.end() || !metrics_it->is_array() || metrics_it->empty()) {
        throw validation("Metrics is required.");
    }
    std::vector<std::pair<std::string, std::size_t>> metrics;
    for (const auto& m : *metrics_it) {
        const auto name = m.is_string() ? m.get<std::string>() : m.dump();
        const auto index = metric_index(name);
        if (!index) {
            throw validation("Invalid metrics: [" + name + "]");
        }
        metrics.emplace_back(name, *index);
    }
    if (p.start >= p.end) {
        throw validation("Start date (and hour) should be before end date (and hour)");
    }
    const auto next_month = days_from_civil({calendar.today.year, calendar.today.month, 1}) +
                            days_in_month(calendar.today.year, calendar.today.month);
    if (p.end > next_month) {
        throw validation("end date past the beginning of next month");
    }
    const auto start_date = civil_from_days(p.start);
    if (month_index(calendar.today) - month_index(start_date) > 14 && start_date.day != 1) {
        throw validation(
            "To retrieve data beyond the past 14 months, your start date needs to be the first day of "
            "the month.");
    }
    if (calendar.data.data_unavailable) {
        throw api_error("DataUnavailableException",
                        "Data is not available. Please try to adjust the time period.");
    }
    json results = json::array();
    for (const auto& [from, to] : slices(p.start, p.end, granularity == "MONTHLY")) {
        json total = json::object();
        for (const auto& [name, index] : metrics) {
            total[name] = {{"Amount", format_amount(calendar.amount(from, to, index))},
                           {"Unit", index >= first_usage_metric ? "N/A" : calendar.data.currency}};
        }
        const bool estimated = month_index(civil_from_days(from)) >= month_index(calendar.today);
        results.push_back({{"TimePeriod", time_period(from, to)},
                           {"Total", std::move(total)},
                           {"Groups", json::array()},
                           {"Estimated", estimated}});
    }
    return json_reply({{"GroupDefinitions", json::array()},
                       {"ResultsByTime", std::move(results)},
                       {"DimensionValueAttributes", json::array()}});
}

reply get_cost_forecast(const call_context& ctx, const cost_calendar& calendar) {
    static constexpr std::array<std::pair<std::string_view, std::size_t>, 5> forecast_metrics{{
        {"AMORTIZED_COST", 0},
        {"BLENDED_COST", 1},
        {"NET_AMORTIZED_COST", 2},
        {"NET_UNBLENDED_COST", 3},
        {"UNBLENDED_COST", 4},
    }};
    const auto body = parse_body(ctx.body);
    const auto p = read_period(body);
    const auto metric = member_text(body, "Metric", "metric");
    const auto found = std::find_if(forecast_metrics.begin(), forecast_metrics.end(),
                                    [&](const auto& m) { return m.first == metric; });
    if (found == forecast_metrics.end()) {
        throw validation(
            "1 validation error detected: Value '" + metric +
            "' at 'metric' failed to satisfy constraint: Member must satisfy enum value set: "
            "[AMORTIZED_COST, BLENDED_COST, NET_AMORTIZED_COST, NET_UNBLENDED_COST, UNBLENDED_COST]");
    }
    const auto granularity = read_granularity(body, {"MONTHLY", "DAILY"});
    if (p.start >= p.end) {
        throw validation("Requested Start: " + p.start_text + " must be before requested End: " + p.end_text);
    }
    const auto today = days_from_civil(calendar.today);
    if (p.start < today) {
        throw validation("Start date must be equal to or later than the current date: " +
                         format_date(calendar.today));
    }
    const bool monthly = granularity == "MONTHLY";
    const auto horizon =
        monthly ? days_from_civil({calendar.today.year + 1, calendar.today.month, 1}) : today + 92;
    if (p.end > horizon) {
        throw validation(monthly ? "You can get 12 months of MONTHLY forecasts."
                                 : "You can get 3 months of DAILY "
                                   "forecasts.");
    }
    if (calendar.data.data_unavailable || calendar.data.forecast_unavailable) {
        throw api_error("DataUnavailableException",
                        "Insufficient amount of historical data to generate forecast.");
    }
    const double rate = calendar.daily_rate(found->second);
    const auto level = body.contains("PredictionIntervalLevel") && body["PredictionIntervalLevel"].is_number()
                           ? body["PredictionIntervalLevel"].get<double>()
                           : 80.0;
    const double margin = 0.05 + (level - 51) / 99 * 0.15;
    json by_time = json::array();
    double total = 0;
    for (const auto& [from, to] : slices(p.start, p.end, monthly)) {
        const double mean = rate * static_cast<double>(to - from);
        total += mean;
        by_time.push_back({{"TimePeriod", time_period(from, to)},
                           {"MeanValue", format_amount(mean)},
                           {"PredictionIntervalLowerBound", format_amount(mean * (1 - margin))},
                           {"PredictionIntervalUpperBound", format_amount(mean * (1 + margin))}});
    }
    return json_reply({{"Total", {{"Amount", format_amount(total)}, {"Unit", calendar.data.currency}}},
                       {"ForecastResultsByTime", std::move(by_time)}});
}

}  // namespace

reply get_cost_and_usage(const call_context& ctx) {
    return get_cost_and_usage(ctx, calendar_of(ctx));
}
reply get_cost_forecast(const call_context& ctx) {
    return get_cost_forecast(ctx, calendar_of(ctx));
}

}  // namespace orvane::tessel::emulator::detail
