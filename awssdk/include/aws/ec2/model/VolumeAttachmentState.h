#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace EC2 {
namespace Model {

enum class VolumeAttachmentState { NOT_SET, attaching, attached, detaching, detached, busy };

namespace VolumeAttachmentStateMapper {
VolumeAttachmentState GetVolumeAttachmentStateForName(const Aws::String& name);
Aws::String GetNameForVolumeAttachmentState(VolumeAttachmentState value);
}  // namespace VolumeAttachmentStateMapper

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
