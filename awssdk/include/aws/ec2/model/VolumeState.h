#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace EC2 {
namespace Model {

enum class VolumeState { NOT_SET, creating, available, in_use, deleting, deleted, error };

namespace VolumeStateMapper {
VolumeState GetVolumeStateForName(const Aws::String& name);
Aws::String GetNameForVolumeState(VolumeState value);
}  // namespace VolumeStateMapper

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
