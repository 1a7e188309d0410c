#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace CloudWatch {
namespace Model {

enum class StateValue { NOT_SET, OK, ALARM, INSUFFICIENT_DATA };

namespace StateValueMapper {
StateValue GetStateValueForName(const Aws::String& name);
Aws::String GetNameForStateValue(StateValue value);
}  // namespace StateValueMapper

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
