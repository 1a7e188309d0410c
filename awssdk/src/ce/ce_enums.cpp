#include "core/enum_table.h"

#include <aws/ce/model/Granularity.h>
#include <aws/ce/model/Metric.h>

namespace Aws {
namespace CostExplorer {
namespace Model {

namespace GranularityMapper {
namespace {
constexpr const char* kNames[] = {"DAILY", "MONTHLY", "HOURLY"};
}  // namespace

Granularity GetGranularityForName(const Aws::String& name) {
    return static_cast<Granularity>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForGranularity(Granularity value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace GranularityMapper

namespace MetricMapper {
namespace {
constexpr const char* kNames[] = {"BLENDED_COST",           "UNBLENDED_COST",     "AMORTIZED_COST",
                                  "NET_UNBLENDED_COST",     "NET_AMORTIZED_COST", "USAGE_QUANTITY",
                                  "NORMALIZED_USAGE_AMOUNT"};
}  // namespace

Metric GetMetricForName(const Aws::String& name) {
    return static_cast<Metric>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForMetric(Metric value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace MetricMapper

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
