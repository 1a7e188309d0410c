#include <aws/ce/CostExplorerClient.h>

#include "ce/ce_json.h"
#include "core/service_client.h"

namespace Aws {
namespace CostExplorer {
namespace {

const Aws::Internal::ServiceTraits kService{{"ce", "ce", "COST_EXPLORER", "CE", true},
                                            "2017-10-25",
                                            "Cost_Explorer",
                                            Aws::Internal::WireProtocol::Json,
                                            &CostExplorerErrorMapper::GetErrorForName,
                                            "AWSInsightsIndexService"};

}  // namespace

const char* CostExplorerClient::GetServiceName() {
    return "ce";
}
const char* CostExplorerClient::GetAllocationTag() {
    return "CostExplorerClient";
}

CostExplorerClient::CostExplorerClient(const Aws::Auth::AWSCredentials& credentials,
                                       const Aws::Client::ClientConfiguration& clientConfiguration)
    : m_core(std::make_shared<const Aws::Internal::ClientCore>(kService, credentials, clientConfiguration)) {}

CostExplorerClient::~CostExplorerClient() = default;

Model::GetCostAndUsageOutcome CostExplorerClient::GetCostAndUsage(
    const Model::GetCostAndUsageRequest& request) const {
    return Aws::Internal::JsonOperation<Model::GetCostAndUsageResult, CostExplorerError>(
        *m_core, request, &Model::UnmarshalGetCostAndUsageResult);
}

Model::GetCostForecastOutcome CostExplorerClient::GetCostForecast(
    const Model::GetCostForecastRequest& request) const {
    return Aws::Internal::JsonOperation<Model::GetCostForecastResult, CostExplorerError>(
        *m_core, request, &Model::UnmarshalGetCostForecastResult);
}

}  // namespace CostExplorer
}  // namespace Aws
