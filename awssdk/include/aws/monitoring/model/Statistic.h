#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace CloudWatch {
namespace Model {

enum class Statistic { NOT_SET, SampleCount, Average, Sum, Minimum, Maximum };

namespace StatisticMapper {
Statistic GetStatisticForName(const Aws::String& name);
Aws::String GetNameForStatistic(Statistic value);
}  // namespace StatisticMapper

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
