#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace CloudWatch {
namespace Model {

enum class AlarmType { NOT_SET, CompositeAlarm, MetricAlarm };

namespace AlarmTypeMapper {
AlarmType GetAlarmTypeForName(const Aws::String& name);
Aws::String GetNameForAlarmType(AlarmType value);
}  // namespace AlarmTypeMapper

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
