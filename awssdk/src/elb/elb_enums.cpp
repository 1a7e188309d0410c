#include "core/enum_table.h"

#include <aws/elasticloadbalancingv2/model/LoadBalancerStateEnum.h>
#include <aws/elasticloadbalancingv2/model/LoadBalancerTypeEnum.h>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace Model {

namespace LoadBalancerTypeEnumMapper {
namespace {
constexpr const char* kNames[] = {"application", "network", "gateway"};
}  // namespace

LoadBalancerTypeEnum GetLoadBalancerTypeEnumForName(const Aws::String& name) {
    return static_cast<LoadBalancerTypeEnum>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForLoadBalancerTypeEnum(LoadBalancerTypeEnum value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace LoadBalancerTypeEnumMapper

namespace LoadBalancerStateEnumMapper {
namespace {
constexpr const char* kNames[] = {"active", "provisioning", "active_impaired", "failed"};
}  // namespace

LoadBalancerStateEnum GetLoadBalancerStateEnumForName(const Aws::String& name) {
    return static_cast<LoadBalancerStateEnum>(Aws::Internal::EnumForName(kNames, name));
}

Aws::String GetNameForLoadBalancerStateEnum(LoadBalancerStateEnum value) {
    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));
}
}  // namespace LoadBalancerStateEnumMapper

}  // namespace Model
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
