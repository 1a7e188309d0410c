#pragma once

#include <aws/ce/model/GetCostAndUsageRequest.h>
#include <aws/ce/model/GetCostAndUsageResult.h>
#include <aws/ce/model/GetCostForecastRequest.h>
#include <aws/ce/model/GetCostForecastResult.h>

#include <cstdint>
#include <memory>
#include <string>

#include "aws/clients/credential_settings.h"
#include "aws/clients/dates.h"
#include "aws/clients/logger.h"

namespace orvane::tessel::aws {

using settings::cost_type;

// Amounts of one period in the billing currency, one per cost type.
using cost_values = settings::per_cost_type<double>;

// Which forecasts to request.
using forecast_types = settings::per_cost_type<bool>;

// The two Cost Explorer operations, counted (every call costs money) and with failures thrown as
// the classified module exceptions.
class cost_api_interface {
public:
    virtual ~cost_api_interface() = default;
    virtual Aws::CostExplorer::Model::GetCostAndUsageResult get_cost_and_usage(
        const Aws::CostExplorer::Model::GetCostAndUsageRequest& request) = 0;
    virtual Aws::CostExplorer::Model::GetCostForecastResult get_cost_forecast(
        const Aws::CostExplorer::Model::GetCostForecastRequest& request) = 0;
    virtual std::uint32_t api_call_count() const = 0;
};

// What the cost sensor and the cost check make per scan: credentials (region unused) and logger.
struct cost_api_arguments {
    credential_settings credentials;
    logger_ptr logger;
};
using cost_api_factory_function = std::unique_ptr<cost_api_interface>(cost_api_arguments);

class cost_explorer_interface {
public:
    virtual ~cost_explorer_interface() = default;
    // Costs of the period, summed over the months it touches.
    virtual cost_values get_costs(const std::string& start, const std::string& end) = 0;
    // The selected forecasts of the period; zeros for the others and for an empty period.
    virtual cost_values get_forecasts(const std::string& start, const std::string& end) = 0;
    virtual std::uint32_t api_call_count() const = 0;
};

class aws_cost_explorer final : public cost_explorer_interface {
public:
    aws_cost_explorer(const forecast_types* forecasts, cost_api_interface* api, logger_ptr logger);

    cost_values get_costs(const std::string& start, const std::string& end) override;
    cost_values get_forecasts(const std::string& start, const std::string& end) override;
    std::uint32_t api_call_count() const override { return api_->api_call_count(); }

    // The unit of the last amount get_costs parsed; "USD" before the first.
    std::string currency() const { return currency_; }

private:
    double parse_amount(const std::string& metric,
                        const Aws::Map<Aws::String, Aws::CostExplorer::Model::MetricValue>& total);
    double forecast(const std::string& start, const std::string& end,
                    Aws::CostExplorer::Model::Metric metric);

    logger_ptr logger_;
    cost_api_interface* api_;
    const forecast_types* forecasts_;
    std::string currency_ = "USD";
};

// The four periods the cost sensor reports, computed from today.
class cost_interval_query {
public:
    cost_interval_query(logger_ptr logger, cost_explorer_interface* explorer, utils::today_source today);

    cost_values monthly_costs();      // first to last day of the current month
    cost_values yearly_costs();       // 1 January to the last day of the current month
    cost_values monthly_forecasts();  // today to the last day of the current month
    cost_values yearly_forecasts();   // today to 31 December

private:
    template <class Query>
    cost_values run(date::year_month_day start, date::year_month_day end, Query query);

    logger_ptr logger_;
    cost_explorer_interface* explorer_;
    utils::today_source today_;
};

}  // namespace orvane::tessel::aws
