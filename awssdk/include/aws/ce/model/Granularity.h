#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace CostExplorer {
namespace Model {

enum class Granularity { NOT_SET, DAILY, MONTHLY, HOURLY };

namespace GranularityMapper {
Granularity GetGranularityForName(const Aws::String& name);
Aws::String GetNameForGranularity(Granularity value);
}  // namespace GranularityMapper

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
