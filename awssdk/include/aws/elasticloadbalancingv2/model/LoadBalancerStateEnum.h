#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

enum class LoadBalancerStateEnum { NOT_SET, active, provisioning, active_impaired, failed };

namespace LoadBalancerStateEnumMapper {
LoadBalancerStateEnum GetLoadBalancerStateEnumForName(const Aws::String& name);
Aws::String GetNameForLoadBalancerStateEnum(LoadBalancerStateEnum value);
}  // namespace LoadBalancerStateEnumMapper

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
