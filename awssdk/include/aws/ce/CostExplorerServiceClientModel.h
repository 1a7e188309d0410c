#pragma once

#include <aws/ce/CostExplorerErrors.h>
#include <aws/ce/model/GetCostAndUsageRequest.h>
#include <aws/ce/model/GetCostAndUsageResult.h>
#include <aws/ce/model/GetCostForecastRequest.h>
#include <aws/ce/model/GetCostForecastResult.h>
#include <aws/core/utils/Outcome.h>

namespace Aws {
namespace CostExplorer {
namespace Model {

using GetCostAndUsageOutcome = Aws::Utils::Outcome<GetCostAndUsageResult, CostExplorerError>;
using GetCostForecastOutcome = Aws::Utils::Outcome<GetCostForecastResult, CostExplorerError>;

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
