#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace CostExplorer {
namespace Model {

enum class Metric {
    NOT_SET,
    BLENDED_COST,
    UNBLENDED_COST,
    AMORTIZED_COST,
    NET_UNBLENDED_COST,
    NET_AMORTIZED_COST,
    USAGE_QUANTITY,
    NORMALIZED_USAGE_AMOUNT
};

namespace MetricMapper {
Metric GetMetricForName(const Aws::String& name);
Aws::String GetNameForMetric(Metric value);
}  // namespace MetricMapper

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
