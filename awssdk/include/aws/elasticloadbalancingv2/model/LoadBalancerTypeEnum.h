#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

enum class LoadBalancerTypeEnum { NOT_SET, application, network, gateway };

namespace LoadBalancerTypeEnumMapper {
LoadBalancerTypeEnum GetLoadBalancerTypeEnumForName(const Aws::String& name);
Aws::String GetNameForLoadBalancerTypeEnum(LoadBalancerTypeEnum value);
}  // namespace LoadBalancerTypeEnumMapper

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
