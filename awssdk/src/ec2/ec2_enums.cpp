#include "core/enum_table.h"

#include <aws/ec2/model/InstanceStateName.h>
#include <aws/ec2/model/VolumeAttachmentState.h>
#include <aws/ec2/model/VolumeState.h>
#include <aws/ec2/model/VolumeType.h>

namespace Aws {
namespace EC2 {
namespace Model {

namespace InstanceStateNameMapper {
namespace {
constexpr const char* kNames[] = {"pending", "running", "shutting-down", "terminated", "stopping", "stopped"};
}  // namespace

InstanceStateName GetInstanceStateNameForName(const Aws::String& name) {
    return static_cast<InstanceStateName>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForInstanceStateName(InstanceStateName value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace InstanceStateNameMapper

namespace VolumeTypeMapper {
namespace {
constexpr const char* kNames[] = {"standard", "io1", "io2", "gp2", "sc1", "st1", "gp3"};
}  // namespace

VolumeType GetVolumeTypeForName(const Aws::String& name) {
    return static_cast<VolumeType>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForVolumeType(VolumeType value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace VolumeTypeMapper

namespace VolumeStateMapper {
namespace {
constexpr const char* kNames[] = {"creating", "available", "in-use", "deleting", "deleted", "error"};
}  // namespace

VolumeState GetVolumeStateForName(const Aws::String& name) {
    return static_cast<VolumeState>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForVolumeState(VolumeState value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace VolumeStateMapper

namespace VolumeAttachmentStateMapper {
namespace {
constexpr const char* kNames[] = {"attaching", "attached", "detaching", "detached", "busy"};
}  // namespace

VolumeAttachmentState GetVolumeAttachmentStateForName(const Aws::String& name) {
    return static_cast<VolumeAttachmentState>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForVolumeAttachmentState(VolumeAttachmentState value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace VolumeAttachmentStateMapper

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
