#pragma once

#include <aws/ce/CostExplorerServiceClientModel.h>
#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>

#include <memory>

namespace Aws {
namespace Internal {
class ClientCore;
}  // namespace Internal

namespace CostExplorer {

// Safe for concurrent requests from many threads. Construction makes no network call and
// opens no connection; connections come from the process-wide pool started by InitAPI.
class CostExplorerClient {
public:
    static const char* GetServiceName();
    static const char* GetAllocationTag();

    CostExplorerClient(
        const Aws::Auth::AWSCredentials& credentials,
        const Aws::Client::ClientConfiguration& clientConfiguration = Aws::Client::ClientConfiguration());
    virtual ~CostExplorerClient();
    CostExplorerClient(const CostExplorerClient&) = delete;
    CostExplorerClient& operator=(const CostExplorerClient&) = delete;

    virtual Model::GetCostAndUsageOutcome GetCostAndUsage(
        const Model::GetCostAndUsageRequest& request = {}) const;
    virtual Model::GetCostForecastOutcome GetCostForecast(
        const Model::GetCostForecastRequest& request = {}) const;

private:
    std::shared_ptr<const Aws::Internal::ClientCore> m_core;
};

}  // namespace CostExplorer
}  // namespace Aws
