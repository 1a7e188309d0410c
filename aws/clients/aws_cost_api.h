#pragma once

#include <aws/ce/CostExplorerClient.h>

#include <cstdint>
#include <memory>
#include <string>

#include "aws/clients/cost_explorer.h"
#include "aws/clients/credential_settings.h"
#include "aws/clients/secret_redactor.h"

namespace orvane::tessel::aws {

class aws_cost_api final : public cost_api_interface {
public:
    // Configured for "aws-global": Cost Explorer answers from one endpoint for the whole account.
    aws_cost_api(const std::string& access_key, const std::string& secret_key, const proxy_settings& proxy,
                 logger_ptr logger);

    Aws::CostExplorer::Model::GetCostAndUsageResult get_cost_and_usage(
        const Aws::CostExplorer::Model::GetCostAndUsageRequest& request) override;
    Aws::CostExplorer::Model::GetCostForecastResult get_cost_forecast(
        const Aws::CostExplorer::Model::GetCostForecastRequest& request) override;
    std::uint32_t api_call_count() const override { return calls_; }

private:
    template <class Outcome>
    auto take(const char* operation, Outcome&& outcome);

    logger_ptr logger_;
    secret_redactor redactor_;
    std::unique_ptr<Aws::CostExplorer::CostExplorerClient> client_;
    std::uint32_t calls_ = 0;
};

}  // namespace orvane::tessel::aws
