#include "aws/clients/cost_explorer.h"

#include <array>
#include <cerrno>
#include <stdexcept>

#include "aws/clients/decimal_text.h"
#include "framework/exceptions.h"

namespace orvane::tessel::aws {

namespace model = Aws::CostExplorer::Model;

namespace {

struct cost_metric {
    const char* name;  // GetCostAndUsage metric
    cost_type type;
};

// The metrics of a cost query, in the order they are requested and summed.
constexpr std::array<cost_metric, 5> cost_metrics{{
    {"BlendedCost", cost_type::blended},
    {"AmortizedCost", cost_type::amortized},
    {"NetAmortizedCost", cost_type::net_amortized},
    {"UnblendedCost", cost_type::unblended},
    {"NetUnblendedCost", cost_type::net_unblended},
}};

struct forecast_metric {
    cost_type type;
    model::Metric metric;
};

// The forecasts, in the order they are requested.
constexpr std::array<forecast_metric, 5> forecast_metrics{{
    {cost_type::amortized, model::Metric::AMORTIZED_COST},
    {cost_type::net_amortized, model::Metric::NET_AMORTIZED_COST},
    {cost_type::blended, model::Metric::BLENDED_COST},
    {cost_type::unblended, model::Metric::UNBLENDED_COST},
    {cost_type::net_unblended, model::Metric::NET_UNBLENDED_COST},
}};

model::DateInterval period(const std::string& start, const std::string& end) {
    model::DateInterval interval;
    interval.SetStart(start);
    interval.SetEnd(end);
    return interval;
}

// A decimal amount exactly as the standard conversion reads it (leading white space skipped,
// trailing characters ignored, hexadecimal and exponents accepted, underflow and overflow out of
// range), but with the C locale's decimal point whatever locale the host process set.
double to_double(const std::string& text, const logger_ptr& logger) {
    const char* const begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = c_strtod(begin, &end);
    if (end == begin) {
        trace(logger, "Invalid Argument Exception. Conversion Error from string to double: " + text);
        throw exceptions::conversion_failed(text);
    }
    if (errno == ERANGE) {
        throw std::out_of_range("stod argument out of range");
    }
    return value;
}

}  // namespace

aws_cost_explorer::aws_cost_explorer(const forecast_types* forecasts, cost_api_interface* api,
                                     logger_ptr logger)
    : logger_(std::move(logger)), api_(api), forecasts_(forecasts) {}

cost_values aws_cost_explorer::get_costs(const std::string& start, const std::string& end) {
    model::GetCostAndUsageRequest request;
    request.SetTimePeriod(period(start, end));
    request.SetGranularity(model::Granularity::MONTHLY);
    Aws::Vector<Aws::String> metrics;
    for (const auto& metric : cost_metrics) {
        metrics.emplace_back(metric.name);
    }
    request.SetMetrics(std::move(metrics));
    trace(logger_, "COST REQUEST: " + request.SerializePayload());

    const auto result = api_->get_cost_and_usage(request);
    cost_values values;
    for (const auto& month : result.GetResultsByTime()) {
        for (const auto& metric : cost_metrics) {
            values[metric.type] += parse_amount(metric.name, month.GetTotal());
        }
    }
    return values;
}

double aws_cost_explorer::parse_amount(const std::string& metric,
                                       const Aws::Map<Aws::String, model::MetricValue>& total) {
    const auto found = total.find(metric);
    const model::MetricValue value = found == total.end() ? model::MetricValue() : found->second;
    currency_ = value.GetUnit();
    const std::string& amount = value.GetAmount();
    trace(logger_, "Cost Amount for Type: " + metric + " Amount: " + amount);
    if (amount.empty()) {
        trace(logger_, "This should not happen. Extended Debuglogging below.");
        trace(logger_, "metric_value: " + value.Jsonize().View().WriteReadable());
        trace(logger_, "amount_str: " + amount);
        throw libi18n::error_generic("Metric does not include a value.");
    }
    return to_double(amount, logger_);
}

cost_values aws_cost_explorer::get_forecasts(const std::string& start, const std::string& end) {
    cost_values values;
    if (start == end) {
        trace(logger_, "FORECAST SAME DATE: This happens on the last day of the month.");
        return values;
    }
    for (const auto& forecast_type : forecast_metrics) {
        if ((*forecasts_)[forecast_type.type]) {
            values[forecast_type.type] = forecast(start, end, forecast_type.metric);
        }
    }
    return values;
}

double aws_cost_explorer::forecast(const std::string& start, const std::string& end, model::Metric metric) {
    model::GetCostForecastRequest request;
    request.SetTimePeriod(period(start, end));
    request.SetMetric(metric);
    request.SetGranularity(model::Granularity::MONTHLY);
    trace(logger_, "FORECAST REQUEST: " + request.SerializePayload());
    const auto result = api_->get_cost_forecast(request);
    const std::string& amount = result.GetTotal().GetAmount();
    if (amount.empty()) {
        trace(logger_, "Total does not include a value.");
        throw libi18n::error_generic("Total does not include a value.");
    }
    return to_double(amount, logger_);
}

cost_interval_query::cost_interval_query(logger_ptr logger, cost_explorer_interface* explorer,
                                         utils::today_source today)
    : logger_(std::move(logger)), explorer_(explorer), today_(std::move(today)) {}

template <class Query>
cost_values cost_interval_query::run(date::year_month_day start, date::year_month_day end, Query query) {
    const std::string from = utils::to_string(start);
    const std::string to = utils::to_string(end);
    trace(logger_, "Dates: INTERVAL START: " + from + " INTERVAL END: " + to);
    return (explorer_->*query)(from, to);
}

cost_values cost_interval_query::monthly_costs() {
    const auto today = today_();
    return run(utils::first_day_of_month(today), utils::last_day_of_month(today),
               &cost_explorer_interface::get_costs);
}

cost_values cost_interval_query::yearly_costs() {
    const auto today = today_();
    return run(utils::first_day_of_year(today), utils::last_day_of_month(today),
               &cost_explorer_interface::get_costs);
}

cost_values cost_interval_query::monthly_forecasts() {
    const auto today = today_();
    return run(today, utils::last_day_of_month(today), &cost_explorer_interface::get_forecasts);
}

cost_values cost_interval_query::yearly_forecasts() {
    const auto today = today_();
    return run(today, utils::last_day_of_year(today), &cost_explorer_interface::get_forecasts);
}

}  // namespace orvane::tessel::aws
