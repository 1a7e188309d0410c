#include "core/named_error.h"

#include <aws/elasticloadbalancingv2/ElasticLoadBalancingv2Errors.h>

#include <array>

namespace Aws {
namespace ElasticLoadBalancingv2 {
namespace ElasticLoadBalancingv2ErrorMapper {
namespace {

using NamedError = Aws::Internal::NamedError<ElasticLoadBalancingv2Errors>;

constexpr std::array kErrors = {
    NamedError{"ALPNPolicyNotFound", ElasticLoadBalancingv2Errors::A_L_P_N_POLICY_NOT_SUPPORTED, false},
    NamedError{"AllocationIdNotFound", ElasticLoadBalancingv2Errors::ALLOCATION_ID_NOT_FOUND, false},
    NamedError{"AvailabilityZoneNotSupported", ElasticLoadBalancingv2Errors::AVAILABILITY_ZONE_NOT_SUPPORTED,
               false},
    NamedError{"CertificateNotFound", ElasticLoadBalancingv2Errors::CERTIFICATE_NOT_FOUND, false},
    NamedError{"DuplicateListener", ElasticLoadBalancingv2Errors::DUPLICATE_LISTENER, false},
    NamedError{"DuplicateLoadBalancerName", ElasticLoadBalancingv2Errors::DUPLICATE_LOAD_BALANCER_NAME,
               false},
    NamedError{"DuplicateTagKeys", ElasticLoadBalancingv2Errors::DUPLICATE_TAG_KEYS, false},
    NamedError{"DuplicateTargetGroupName", ElasticLoadBalancingv2Errors::DUPLICATE_TARGET_GROUP_NAME, false},
    NamedError{"HealthUnavailable", ElasticLoadBalancingv2Errors::HEALTH_UNAVAILABLE, true},
    NamedError{"IncompatibleProtocols", ElasticLoadBalancingv2Errors::INCOMPATIBLE_PROTOCOLS, false},
    NamedError{"InvalidConfigurationRequest", ElasticLoadBalancingv2Errors::INVALID_CONFIGURATION_REQUEST,
               false},
    NamedError{"InvalidLoadBalancerAction", ElasticLoadBalancingv2Errors::INVALID_LOAD_BALANCER_ACTION,
               false},
    NamedError{"InvalidScheme", ElasticLoadBalancingv2Errors::INVALID_SCHEME, false},
    NamedError{"InvalidSecurityGroup", ElasticLoadBalancingv2Errors::INVALID_SECURITY_GROUP, false},
    NamedError{"InvalidSubnet", ElasticLoadBalancingv2Errors::INVALID_SUBNET, false},
    NamedError{"InvalidTarget", ElasticLoadBalancingv2Errors::INVALID_TARGET, false},
    NamedError{"ListenerNotFound", ElasticLoadBalancingv2Errors::LISTENER_NOT_FOUND, false},
    NamedError{"LoadBalancerNotFound", ElasticLoadBalancingv2Errors::LOAD_BALANCER_NOT_FOUND, false},
    NamedError{"OperationNotPermitted", ElasticLoadBalancingv2Errors::OPERATION_NOT_PERMITTED, false},
    NamedError{"PriorityInUse", ElasticLoadBalancingv2Errors::PRIORITY_IN_USE, false},
    NamedError{"ResourceInUse", ElasticLoadBalancingv2Errors::RESOURCE_IN_USE, false},
    NamedError{"RuleNotFound", ElasticLoadBalancingv2Errors::RULE_NOT_FOUND, false},
    NamedError{"SSLPolicyNotFound", ElasticLoadBalancingv2Errors::S_S_L_POLICY_NOT_FOUND, false},
    NamedError{"SubnetNotFound", ElasticLoadBalancingv2Errors::SUBNET_NOT_FOUND, false},
    NamedError{"TargetGroupAssociationLimit", ElasticLoadBalancingv2Errors::TARGET_GROUP_ASSOCIATION_LIMIT,
               false},
    NamedError{"TargetGroupNotFound", ElasticLoadBalancingv2Errors::TARGET_GROUP_NOT_FOUND, false},
    NamedError{"TooManyActions", ElasticLoadBalancingv2Errors::TOO_MANY_ACTIONS, false},
    NamedError{"TooManyCertificates", ElasticLoadBalancingv2Errors::TOO_MANY_CERTIFICATES, false},
    NamedError{"TooManyListeners", ElasticLoadBalancingv2Errors::TOO_MANY_LISTENERS, false},
    NamedError{"TooManyLoadBalancers", ElasticLoadBalancingv2Errors::TOO_MANY_LOAD_BALANCERS, false},
    NamedError{"TooManyRegistrationsForTargetId",
               ElasticLoadBalancingv2Errors::TOO_MANY_REGISTRATIONS_FOR_TARGET_ID, false},
    NamedError{"TooManyRules", ElasticLoadBalancingv2Errors::TOO_MANY_RULES, false},
    NamedError{"TooManyTags", ElasticLoadBalancingv2Errors::TOO_MANY_TAGS, false},
    NamedError{"TooManyTargetGroups", ElasticLoadBalancingv2Errors::TOO_MANY_TARGET_GROUPS, false},
    NamedError{"TooManyTargets", ElasticLoadBalancingv2Errors::TOO_MANY_TARGETS, false},
    NamedError{"TooManyUniqueTargetGroupsPerLoadBalancer",
               ElasticLoadBalancingv2Errors::TOO_MANY_UNIQUE_TARGET_GROUPS_PER_LOAD_BALANCER, false},
    NamedError{"UnsupportedProtocol", ElasticLoadBalancingv2Errors::UNSUPPORTED_PROTOCOL, false},
};

}  // namespace

Aws::Client::AWSError<Aws::Client::CoreErrors> GetErrorForName(const char* errorName) {
    return Aws::Internal::ErrorForName(kErrors, errorName);
}

}  // namespace ElasticLoadBalancingv2ErrorMapper
}  // namespace ElasticLoadBalancingv2
}  // namespace Aws
