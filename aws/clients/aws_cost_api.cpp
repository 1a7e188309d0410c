#include "aws/clients/aws_cost_api.h"

#include <aws/core/auth/AWSCredentials.h>

#include "aws/clients/client_configuration.h"
#include "aws/clients/error_classification.h"

namespace orvane::tessel::aws {

aws_cost_api::aws_cost_api(const std::string& access_key, const std::string& secret_key,
                           const proxy_settings& proxy, logger_ptr logger)
    : logger_(std::move(logger)), redactor_(secret_key, proxy.user, proxy.password) {
    trace(logger_, "Initialize API Client with Credentials: AK: " + access_key);
    client_ = std::make_unique<Aws::CostExplorer::CostExplorerClient>(
        Aws::Auth::AWSCredentials(access_key, secret_key),
        make_client_configuration(proxy, std::string(global_region)));
}

// Every call counts, failed ones too: each one is billed.
template <class Outcome>
auto aws_cost_api::take(const char* operation, Outcome&& outcome) {
    ++calls_;
    trace(logger_, "API Calls: " + std::to_string(calls_));
    trace(logger_,
          std::string("Result of ") + operation + ": IsSuccess: " + (outcome.IsSuccess() ? "true" : "false"));
    if (!outcome.IsSuccess()) {
        const auto& error = outcome.GetError();
        trace(logger_, std::string("ERROR of ") + operation);
        trace(logger_, redactor_.redact(error.GetExceptionName()));
        trace(logger_, redactor_.redact(error.GetMessage()));
        trace(logger_, std::to_string(static_cast<int>(error.GetResponseCode())));
        std::rethrow_exception(translate_cost_explorer_error(error, logger_, redactor_));
    }
    return outcome.GetResultWithOwnership();
}

Aws::CostExplorer::Model::GetCostAndUsageResult aws_cost_api::get_cost_and_usage(
    const Aws::CostExplorer::Model::GetCostAndUsageRequest& request) {
    trace(logger_, "Running GetCostAndUsage");
    return take("GetCostAndUsage", client_->GetCostAndUsage(request));
}

Aws::CostExplorer::Model::GetCostForecastResult aws_cost_api::get_cost_forecast(
    const Aws::CostExplorer::Model::GetCostForecastRequest& request) {
    trace(logger_, "Running GetCostForecast");
    return take("GetCostForecast", client_->GetCostForecast(request));
}

}  // namespace orvane::tessel::aws
