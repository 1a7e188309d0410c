#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace EC2 {
namespace Model {

enum class InstanceStateName { NOT_SET, pending, running, shutting_down, terminated, stopping, stopped };

namespace InstanceStateNameMapper {
InstanceStateName GetInstanceStateNameForName(const Aws::String& name);
Aws::String GetNameForInstanceStateName(InstanceStateName value);
}  // namespace InstanceStateNameMapper

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
