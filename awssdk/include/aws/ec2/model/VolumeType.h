#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace EC2 {
namespace Model {

enum class VolumeType { NOT_SET, standard, io1, io2, gp2, sc1, st1, gp3 };

namespace VolumeTypeMapper {
VolumeType GetVolumeTypeForName(const Aws::String& name);
Aws::String GetNameForVolumeType(VolumeType value);
}  // namespace VolumeTypeMapper

}  // namespace Model
}  // namespace EC2
}  // namespace Aws
